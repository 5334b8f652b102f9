#include "runtime/value_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "runtime/fatal_error.h"
#include "runtime/utf8.h"

namespace quorell {
namespace {

// printf's "%.<precision>g", but independent of the process locale (a GUI toolkit may switch LC_NUMERIC).
template <typename Float>
std::string GeneralText(Float value, int precision) {
    if (std::isnan(value)) {
        return std::signbit(value) ? "-nan" : "nan";
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    return std::string(buffer, result.ptr);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    return text.substr(i);
}

template <typename Int>
Int LeadingInteger(std::string_view text) {
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Accumulate toward the sign so that the most negative value is reachable; saturate on overflow.
    Int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        const Int digit = static_cast<Int>(c - '0');
        if (negative) {
            if (value < (std::numeric_limits<Int>::min() + digit) / 10) {
                return std::numeric_limits<Int>::min();
            }
            value = static_cast<Int>(value * 10 - digit);
        } else {
            if (value > (std::numeric_limits<Int>::max() - digit) / 10) {
                return std::numeric_limits<Int>::max();
            }
            value = static_cast<Int>(value * 10 + digit);
        }
    }
    return value;
}

template <typename Int>
Int TruncateSaturating(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double truncated = std::trunc(value);
    if (truncated <= static_cast<double>(std::numeric_limits<Int>::min())) {
        return std::numeric_limits<Int>::min();
    }
    if (truncated >= static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::numeric_limits<Int>::max();
    }
    return static_cast<Int>(truncated);
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool MatchesAt(std::string_view text, std::size_t pos, std::string_view find, bool caseSensitive) {
    if (text.size() - pos < find.size()) {
        return false;
    }
    for (std::size_t i = 0; i < find.size(); ++i) {
        const char a = text[pos + i];
        const char b = find[i];
        if (caseSensitive ? a != b : AsciiLower(a) != AsciiLower(b)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string ToText(std::uint8_t value) {
    return std::to_string(static_cast<unsigned>(value));
}
std::string ToText(std::int16_t value) {
    return std::to_string(static_cast<int>(value));
}
std::string ToText(std::int32_t value) {
    return std::to_string(value);
}
std::string ToText(std::int64_t value) {
    return std::to_string(value);
}
std::string ToText(float value) {
    return GeneralText(value, 6);
}
std::string ToText(double value) {
    return GeneralText(value, 13);
}
std::string ToText(bool value) {
    return value ? "真" : "假";
}
std::string ToText(std::string_view text) {
    return std::string(text);
}
std::string ToText(const char* text) {
    return text ? std::string(text) : std::string();
}
std::string ToText(const ByteBuffer& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::int32_t ToInteger(std::string_view text) {
    return LeadingInteger<std::int32_t>(text);
}
std::int64_t ToInteger64(std::string_view text) {
    return LeadingInteger<std::int64_t>(text);
}
std::int32_t ToInteger(double value) {
    return TruncateSaturating<std::int32_t>(value);
}
std::int64_t ToInteger64(double value) {
    return TruncateSaturating<std::int64_t>(value);
}

double ToNumber(std::string_view text) {
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0;
    auto format = std::chars_format::general;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
        (IsHexDigit(text[2]) || (text[2] == '.' && text.size() > 3 && IsHexDigit(text[3])))) {
        text.remove_prefix(2);
        format = std::chars_format::hex;
    }
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, format);
    if (result.ec == std::errc::result_out_of_range) {
        // Like strtod: overflow gives infinity, underflow gives zero (from_chars leaves value untouched).
        const bool hasExponentOverflow = [&] {
            for (const char* p = text.data(); p != result.ptr; ++p) {
                if (*p == 'e' || *p == 'E' || *p == 'p' || *p == 'P') {
                    return p + 1 != result.ptr && p[1] != '-';
                }
            }
            return true;
        }();
        value = hasExponentOverflow ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        return 0;
    }
    return negative ? -value : value;
}

std::int64_t IntegerDivide(std::int64_t a, std::int64_t b) {
    if (b == 0) {
        RaiseFatalError("不能整除于零");
    }
    if (a == std::numeric_limits<std::int64_t>::min() && b == -1) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return a / b;  // C++ division truncates toward zero
}

std::int64_t IntegerDivide(std::int64_t a, std::int64_t b, std::int64_t c) {
    return IntegerDivide(IntegerDivide(a, b), c);
}

std::string ReplaceText(std::string_view text, std::string_view find, std::string_view replacement, int start,
                        int count, bool caseSensitive) {
    if (text.empty() || find.empty() || count == 0) {
        return std::string(text);
    }
    const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
    if (from >= text.size()) {
        return std::string(text);
    }
    std::string result(text.substr(0, from));
    result.reserve(text.size());
    std::size_t pos = from;
    int remaining = count;
    while (pos < text.size()) {
        // A match starts only where a character starts; a start inside a character copies the rest of it.
        const bool characterStart = Utf8CharacterStart(text, pos) == pos;
        if (remaining != 0 && characterStart && MatchesAt(text, pos, find, caseSensitive)) {
            result.append(replacement);
            pos += find.size();
            if (remaining > 0) {
                --remaining;
            }
            continue;
        }
        const std::size_t length = characterStart ? DecodeUtf8(text, pos).length : 1;
        result.append(text.substr(pos, length));
        pos += length;
    }
    return result;
}

}  // namespace quorell
