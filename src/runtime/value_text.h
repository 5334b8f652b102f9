#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/byte_buffer.h"

namespace quorell {

// Texts are UTF-8 inside the program; files on disk hold them as GBK (see ini_file.h).

std::string ToText(std::uint8_t value);  // "%u"
std::string ToText(std::int16_t value);  // "%d"
std::string ToText(std::int32_t value);  // "%d"
std::string ToText(std::int64_t value);  // decimal
std::string ToText(float value);         // "%.6g"
std::string ToText(double value);        // "%.13g": 12.5, 100, 0.3333333333333, 1e+20
std::string ToText(bool value);          // "真" / "假"
std::string ToText(std::string_view text);
std::string ToText(const char* text);
std::string ToText(const ByteBuffer& bytes);

// The leading decimal integer after optional blanks and a sign; 0 when there is none.
// Out-of-range texts saturate at the type's limits.
std::int32_t ToInteger(std::string_view text);
std::int64_t ToInteger64(std::string_view text);
// Truncation toward zero; saturates outside the range and gives 0 for NaN.
std::int32_t ToInteger(double value);
std::int64_t ToInteger64(double value);

// The leading decimal floating-point number of a text (the C library's rules, independent of the
// process locale); 0 when there is none.
double ToNumber(std::string_view text);

// a / b, then / each further divisor, keeping the integer part (toward zero) after each division.
// A divisor of 0 is the fatal runtime error "不能整除于零".
std::int64_t IntegerDivide(std::int64_t a, std::int64_t b);
std::int64_t IntegerDivide(std::int64_t a, std::int64_t b, std::int64_t c);

template <typename... Texts>
std::string Concat(const Texts&... texts) {
    std::string result;
    (result.append(std::string_view(texts)), ...);
    return result;
}

// Replaces occurrences of `find` starting at 1-based byte position `start`, at most `count` times
// (negative: all). Without `caseSensitive`, ASCII letters match regardless of case. A match never
// starts inside a multi-byte UTF-8 character. An empty text or find gives the text unchanged.
std::string ReplaceText(std::string_view text, std::string_view find, std::string_view replacement, int start = 1,
                        int count = -1, bool caseSensitive = false);

}  // namespace quorell
