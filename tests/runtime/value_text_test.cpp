#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "runtime/fatal_error.h"
#include "runtime/value_text.h"

namespace quorell {
namespace {

TEST(ToText, DoubleUsesThirteenSignificantDigits) {
    EXPECT_EQ(ToText(0.1 + 0.2), "0.3");
    EXPECT_EQ(ToText(100.0), "100");
    EXPECT_EQ(ToText(-0.5), "-0.5");
    EXPECT_EQ(ToText(12.5), "12.5");
    EXPECT_EQ(ToText(1.0 / 3.0), "0.3333333333333");
    EXPECT_EQ(ToText(1e20), "1e+20");
    EXPECT_EQ(ToText(1e-7), "1e-07");
    // Integral sums written to the history files stay plain digits up to 13 digits.
    EXPECT_EQ(ToText(4294967296.0), "4294967296");
    EXPECT_EQ(ToText(105.0), "105");
}

TEST(ToText, FloatUsesSixSignificantDigits) {
    EXPECT_EQ(ToText(1.0f / 3.0f), "0.333333");
    EXPECT_EQ(ToText(1234567.0f), "1.23457e+06");
}

TEST(ToText, IntegersAndBooleans) {
    EXPECT_EQ(ToText(std::uint8_t{255}), "255");
    EXPECT_EQ(ToText(std::int16_t{-32768}), "-32768");
    EXPECT_EQ(ToText(std::int32_t{-1280}), "-1280");
    EXPECT_EQ(ToText(std::int64_t{9000000000}), "9000000000");
    EXPECT_EQ(ToText(true), "真");
    EXPECT_EQ(ToText(false), "假");
    EXPECT_EQ(ToText(ByteBuffer{'a', 'b'}), "ab");
}

TEST(ToInteger, TakesLeadingIntegerOfText) {
    EXPECT_EQ(ToInteger("12abc"), 12);
    EXPECT_EQ(ToInteger(""), 0);
    EXPECT_EQ(ToInteger("  -1280"), -1280);
    EXPECT_EQ(ToInteger("+7"), 7);
    EXPECT_EQ(ToInteger("abc"), 0);
    EXPECT_EQ(ToInteger("- 5"), 0);
    EXPECT_EQ(ToInteger("98%"), 98);
}

TEST(ToInteger, SaturatesInsteadOfWrapping) {
    EXPECT_EQ(ToInteger("99999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ToInteger("-99999999999"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ToInteger("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ToInteger64("9000000000"), 9000000000LL);
    EXPECT_EQ(ToInteger64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
}

TEST(ToInteger, TruncatesDoublesTowardZero) {
    EXPECT_EQ(ToInteger(2.9), 2);
    EXPECT_EQ(ToInteger(-2.9), -2);
    EXPECT_EQ(ToInteger(1e30), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ToInteger(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(ToInteger64(5e12 + 0.7), 5000000000000LL);
}

TEST(ToNumber, ReadsLeadingNumberLikeTheCLibrary) {
    EXPECT_DOUBLE_EQ(ToNumber("2"), 2.0);
    EXPECT_DOUBLE_EQ(ToNumber(" 12.5kb"), 12.5);
    EXPECT_DOUBLE_EQ(ToNumber("-1e3"), -1000.0);
    EXPECT_DOUBLE_EQ(ToNumber("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(ToNumber("0x10"), 16.0);
    EXPECT_DOUBLE_EQ(ToNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(ToNumber("four"), 0.0);
    EXPECT_DOUBLE_EQ(ToNumber("1e999"), std::numeric_limits<double>::infinity());
}

TEST(IntegerDivide, TruncatesAfterEachDivision) {
    EXPECT_EQ(IntegerDivide(7, 2), 3);
    EXPECT_EQ(IntegerDivide(-7, 2), -3);
    EXPECT_EQ(IntegerDivide(100, 3, 3), 11);  // 33, then 11
    EXPECT_EQ(IntegerDivide(std::numeric_limits<std::int64_t>::min(), -1), std::numeric_limits<std::int64_t>::max());
}

TEST(IntegerDivide, ByZeroIsFatal) {
    try {
        IntegerDivide(1, 0);
        FAIL() << "no fatal error";
    } catch (const FatalError& e) {
        EXPECT_EQ(e.Message(), "不能整除于零");
    }
}

TEST(Concat, JoinsInOrder) {
    EXPECT_EQ(Concat(std::string("57"), " %"), "57 %");
    EXPECT_EQ(Concat(), "");
}

TEST(ReplaceText, RemovesEveryPercentSign) {
    EXPECT_EQ(ReplaceText("98%", "%", "", 1, -1, true), "98");
    EXPECT_EQ(ReplaceText("5%%5%", "%", ""), "55");
}

TEST(ReplaceText, CaseRulesApplyToAsciiOnly) {
    EXPECT_EQ(ReplaceText("Mb mb MB", "mb", "K"), "K K K");
    EXPECT_EQ(ReplaceText("Mb mb MB", "mb", "K", 1, -1, true), "Mb K MB");
}

TEST(ReplaceText, HonoursStartAndCount) {
    EXPECT_EQ(ReplaceText("aaaa", "a", "b", 2, 2), "abba");
    EXPECT_EQ(ReplaceText("aaaa", "a", "b", 9), "aaaa");
    EXPECT_EQ(ReplaceText("aaaa", "a", "b", 1, 0), "aaaa");
    EXPECT_EQ(ReplaceText("", "a", "b"), "");
    EXPECT_EQ(ReplaceText("abc", "", "x"), "abc");
}

TEST(ReplaceText, NeverMatchesInsideAMultiByteCharacter) {
    // "中" is E4 B8 AD and "文" is E6 96 87: the bytes B8 AD E6 span a character boundary.
    const std::string text = "中文";
    EXPECT_EQ(ReplaceText(text, "\xB8\xAD\xE6", "X"), text);
    EXPECT_EQ(ReplaceText(text, "\xAD", "X"), text);
    EXPECT_EQ(ReplaceText("内存内存", "存", "-"), "内-内-");
    // A start inside a character copies the rest of it without matching.
    EXPECT_EQ(ReplaceText(text, "\xB8", "X", 2), text);
}

}  // namespace
}  // namespace quorell
