#include "runtime/utf8.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quorell {
namespace {

// The code points a text reads as, by the one rule.
std::u32string Read(std::string_view text) {
    std::u32string points;
    for (const Utf8Character& c : Utf8Characters(text)) {
        points.push_back(c.codePoint);
    }
    return points;
}

TEST(Utf8, EveryScalarValueSurvivesEncodingAndDecoding) {
    for (char32_t point = 0; point <= 0x10FFFF; ++point) {
        if (!IsUnicodeScalarValue(point)) {
            continue;
        }
        std::string text;
        AppendUtf8(text, point);
        const Utf8Character c = DecodeUtf8(text);
        ASSERT_TRUE(c.valid) << std::hex << static_cast<std::uint32_t>(point);
        ASSERT_EQ(c.codePoint, point);
        ASSERT_EQ(c.length, text.size());
        ASSERT_EQ(text.size(), point < 0x80 ? 1u : point < 0x800 ? 2u : point < 0x10000 ? 3u : 4u);
    }
}

TEST(Utf8, EachBadByteReadsAsOneReplacementAndSparesTheGoodOnesAfterIt) {
    const std::u32string bad(1, kReplacementCharacter);
    struct Case {
        std::string bytes;
        std::u32string read;
        const char* what;
    };
    const std::vector<Case> cases = {
        {"\x80z", bad + U"z", "a stray continuation byte"},
        {"\xC0\x80z", bad + bad + U"z", "C0 never leads (an overlong NUL)"},
        {"\xC1\xBF", bad + bad, "C1 never leads"},
        {"\xF5\x80\x80\x80", bad + bad + bad + bad, "F5 never leads"},
        {"\xFF\xFEz", bad + bad + U"z", "FF and FE never lead"},
        {"\xE0\x80\xAF", bad + bad + bad, "an overlong three-byte slash"},
        {"\xE0\x9F\xBF", bad + bad + bad, "the longest overlong three-byte form"},
        {"\xF0\x8F\xBF\xBF", bad + bad + bad + bad, "an overlong four-byte form"},
        {"\xED\xA0\x80", bad + bad + bad, "the first surrogate"},
        {"\xED\xBF\xBF", bad + bad + bad, "the last surrogate"},
        {"\xF4\x90\x80\x80", bad + bad + bad + bad, "past U+10FFFF"},
        {"\xE4\xB8", bad + bad, "a character cut short by the end"},
        {"\xE4\xB8z\xE4\xB8\xAD", bad + bad + U"z中", "a character cut short by the next one"},
        {"\xF0\x9F\x98", bad + bad + bad, "four bytes cut short"},
        {"\xC3", bad, "a lone lead byte"},
        {"\xE4\xB8\xAD\xAD", U"中" + bad, "one continuation byte too many"},
        {"\xED\x9F\xBF\xEE\x80\x80", U"\uD7FF\uE000", "the characters either side of the surrogates"},
        {"\xF4\x8F\xBF\xBF", U"\U0010FFFF", "the last character"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(c.bytes), c.read) << c.what;
        EXPECT_EQ(IsValidUtf8(c.bytes), c.read.find(kReplacementCharacter) == std::u32string::npos) << c.what;
        // Repairing replaces exactly the bad bytes, so the repaired text reads the same and is valid.
        const std::string repaired = RepairUtf8(c.bytes);
        EXPECT_TRUE(IsValidUtf8(repaired)) << c.what;
        EXPECT_EQ(Read(repaired), c.read) << c.what;
    }
    EXPECT_EQ(RepairUtf8("ok 中文"), "ok 中文");
}

TEST(Utf8, ValuesThatAreNoCharacterAreWrittenAsTheReplacement) {
    for (const char32_t point : {char32_t{0xD800}, char32_t{0xDFFF}, char32_t{0x110000}, char32_t{0xFFFFFFFF}}) {
        std::string text = "a";
        AppendUtf8(text, point);
        EXPECT_EQ(text, "a\xEF\xBF\xBD") << std::hex << static_cast<std::uint32_t>(point);
    }
}

TEST(Utf8, CharacterStartsAndCutsFollowTheSameRule) {
    const std::string text = "a中😀";  // 61 | E4 B8 AD | F0 9F 98 80
    const std::vector<std::size_t> starts = {0, 1, 1, 1, 4, 4, 4, 4, 8};
    for (std::size_t pos = 0; pos <= text.size(); ++pos) {
        EXPECT_EQ(Utf8CharacterStart(text, pos), starts[pos]) << pos;
    }
    EXPECT_EQ(LimitUtf8(text, 3), "a");
    EXPECT_EQ(LimitUtf8(text, 4), "a中");
    EXPECT_EQ(LimitUtf8(text, 7), "a中");
    EXPECT_EQ(LimitUtf8(text, 100), text);
    // Bad bytes are characters of their own: a cut may fall between them.
    EXPECT_EQ(LimitUtf8("a\x80\x80\x80\x80", 3), "a\x80\x80");
    EXPECT_EQ(LimitUtf8("\xE0\x80\x80", 2), "\xE0\x80");       // an overlong form is three bad bytes
    EXPECT_EQ(Utf8CharacterStart("\xE4\xB8\xAD\xAD", 3), 3u);  // a continuation byte beyond the character
}

}  // namespace
}  // namespace quorell
