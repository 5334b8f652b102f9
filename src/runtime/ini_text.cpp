#include "runtime/ini_text.h"

#include "runtime/text_codec.h"

namespace quorell {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsGbkLeadByte(char c) {
    return Byte(c) >= 0x81 && Byte(c) <= 0xFE;
}

// Length of the valid UTF-8 sequence at the start of `text`, or 0 when it does not start with one
// (overlong forms, surrogates and code points above U+10FFFF are invalid).
std::size_t Utf8SequenceLength(std::string_view text) {
    const unsigned char b0 = Byte(text[0]);
    if (b0 < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0)
            low = 0xA0;
        if (b0 == 0xED)
            high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0)
            low = 0x90;
        if (b0 == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    if (Byte(text[1]) < low || Byte(text[1]) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (Byte(text[i]) < 0x80 || Byte(text[i]) > 0xBF)
            return 0;
    }
    return length;
}

std::string DecodeUtf8Leniently(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const std::size_t length = Utf8SequenceLength(bytes);
        if (length == 0) {
            out += kReplacementCharacter;
            bytes.remove_prefix(1);
        } else {
            out.append(bytes.substr(0, length));
            bytes.remove_prefix(length);
        }
    }
    return out;
}

std::string DecodeGbkLeniently(std::string_view bytes) {
    if (auto whole = GbkToUtf8(bytes))
        return *std::move(whole);
    // Some bytes are not GBK: convert character by character and mark each bad byte.
    std::string out;
    out.reserve(bytes.size() * 2);
    while (!bytes.empty()) {
        if (Byte(bytes[0]) < 0x80) {
            out += bytes[0];
            bytes.remove_prefix(1);
            continue;
        }
        const std::size_t length = (IsGbkLeadByte(bytes[0]) && bytes.size() >= 2) ? 2 : 1;
        if (auto one = GbkToUtf8(bytes.substr(0, length))) {
            out += *one;
            bytes.remove_prefix(length);
        } else {
            out += kReplacementCharacter;
            bytes.remove_prefix(1);
        }
    }
    return out;
}

}  // namespace

bool IsIniBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view TrimIniBlanks(std::string_view text) {
    while (!text.empty() && IsIniBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsIniBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view SkipLeadingControls(std::string_view text) {
    while (!text.empty() && Byte(text.front()) >= 1 && Byte(text.front()) <= 32)
        text.remove_prefix(1);
    return text;
}

std::string_view CutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool SameIniName(std::string_view a, std::string_view b, IniEncoding encoding) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (encoding == IniEncoding::kGbk && IsGbkLeadByte(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsValidUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

std::optional<std::string> EncodeIniText(std::string_view utf8, IniEncoding encoding) {
    if (encoding == IniEncoding::kUtf8) {
        if (!IsValidUtf8(utf8))
            return std::nullopt;
        return std::string(utf8);
    }
    return Utf8ToGbk(utf8);
}

std::string DecodeIniText(std::string_view bytes, IniEncoding encoding) {
    return encoding == IniEncoding::kUtf8 ? DecodeUtf8Leniently(bytes) : DecodeGbkLeniently(bytes);
}

std::string_view LimitUtf8(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    // Step back over the continuation bytes (at most three) of a character that would be split.
    std::size_t cut = maxBytes;
    while (cut > 0 && maxBytes - cut < 3 && (Byte(text[cut]) & 0xC0) == 0x80)
        --cut;
    if ((Byte(text[cut]) & 0xC0) == 0x80)
        cut = maxBytes;  // not UTF-8 here: nothing to protect
    return text.substr(0, cut);
}

}  // namespace quorell
