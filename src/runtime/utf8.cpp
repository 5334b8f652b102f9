#include "runtime/utf8.h"

namespace quorell {
namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

Utf8Character DecodeUtf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return {at, 1, lead, true};
    }
    const Utf8Character bad{at, 1, kReplacementCharacter, false};
    // The second byte's range excludes the overlong forms (E0, F0), the surrogates (ED) and what lies
    // past U+10FFFF (F4); later bytes are any continuation byte.
    std::size_t length = 0;
    char32_t codePoint = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return bad;
    }
    if (text.size() - at < length) {
        return bad;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(i);
        if (i == 1 ? (next < low || next > high) : !IsContinuation(next)) {
            return bad;
        }
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    return {at, length, codePoint, true};
}

void AppendUtf8(std::string& text, char32_t codePoint) {
    const char32_t c = IsUnicodeScalarValue(codePoint) ? codePoint : kReplacementCharacter;
    const auto put = [&text](char32_t byte) { text.push_back(static_cast<char>(byte)); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

bool IsValidUtf8(std::string_view text) {
    for (const Utf8Character& c : Utf8Characters(text)) {
        if (!c.valid) {
            return false;
        }
    }
    return true;
}

std::string RepairUtf8(std::string_view text) {
    std::string repaired;
    repaired.reserve(text.size());
    std::size_t good = 0;  // the start of the run of good bytes not copied yet
    for (const Utf8Character& c : Utf8Characters(text)) {
        if (!c.valid) {
            repaired.append(text.substr(good, c.offset - good));
            repaired.append(kReplacementUtf8);
            good = c.offset + 1;
        }
    }
    repaired.append(text.substr(good));
    return repaired;
}

std::size_t Utf8CharacterStart(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || !IsContinuation(static_cast<unsigned char>(text[pos]))) {
        return pos;
    }
    // A valid character holding `pos` starts at the nearest byte before it that is no continuation
    // byte, at most three bytes back, and reaches beyond `pos`.
    for (std::size_t back = 1; back <= 3 && back <= pos; ++back) {
        const std::size_t start = pos - back;
        if (!IsContinuation(static_cast<unsigned char>(text[start]))) {
            const Utf8Character c = DecodeUtf8(text, start);
            return c.valid && c.length > back ? start : pos;
        }
    }
    return pos;
}

std::string_view LimitUtf8(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    return text.substr(0, Utf8CharacterStart(text, maxBytes));
}

}  // namespace quorell
