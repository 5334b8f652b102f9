#include "runtime/ini_text.h"

namespace quorell {
namespace {

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsGbkLeadByte(char c) {
    return Byte(c) >= 0x81 && Byte(c) <= 0xFE;
}

std::string DecodeGbkLeniently(std::string_view bytes, const GbkCodec& gbk) {
    if (auto whole = gbk.GbkToUtf8(bytes))
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
        if (auto one = gbk.GbkToUtf8(bytes.substr(0, length))) {
            out += *one;
            bytes.remove_prefix(length);
        } else {
            out += kReplacementUtf8;
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

std::optional<std::string> EncodeIniText(std::string_view utf8, IniEncoding encoding, const GbkCodec& gbk) {
    if (encoding == IniEncoding::kUtf8) {
        if (!IsValidUtf8(utf8))
            return std::nullopt;
        return std::string(utf8);
    }
    return gbk.Utf8ToGbk(utf8);
}

std::string DecodeIniText(std::string_view bytes, IniEncoding encoding, const GbkCodec& gbk) {
    return encoding == IniEncoding::kUtf8 ? RepairUtf8(bytes) : DecodeGbkLeniently(bytes, gbk);
}

}  // namespace quorell
