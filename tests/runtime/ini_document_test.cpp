// Lookup and edit rules on bytes in memory; tests/data/ini holds the whole-file cases.

#include <gtest/gtest.h>

#include "runtime/ini_document.h"

namespace quorell {
namespace {

std::optional<std::string> Find(std::string_view bytes, std::string_view section, std::string_view key) {
    const IniDocument document{std::string(bytes)};
    const auto value = document.FindValue(section, key);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

TEST(IniDocumentRead, OnlyOneMatchingPairOfQuotesIsDropped) {
    const std::string bytes =
        "[q]\ndouble=\" padded \"\nsingle='x'\ntwice=\"\"x\"\"\nmixed=\"x'\nlone=\"\ninner=a\"b\"\n";
    EXPECT_EQ(Find(bytes, "q", "double"), " padded ");
    EXPECT_EQ(Find(bytes, "q", "single"), "x");
    EXPECT_EQ(Find(bytes, "q", "twice"), "\"x\"");
    EXPECT_EQ(Find(bytes, "q", "mixed"), "\"x'");
    EXPECT_EQ(Find(bytes, "q", "lone"), "\"");
    EXPECT_EQ(Find(bytes, "q", "inner"), "a\"b\"");
}

TEST(IniDocumentRead, LineSplitsAtFirstEqualsAndOnlyLineFeedEndsIt) {
    EXPECT_EQ(Find("[s]\nf=a=b ; no comment\n", "s", "f"), "a=b ; no comment");
    EXPECT_EQ(Find("[s]\rk=1\r", "s", "k"), std::nullopt);  // a lone CR is part of the line
    EXPECT_EQ(Find("[s]\n;k=1\n", "s", ";k"), std::nullopt);
    EXPECT_EQ(Find("[a]b] tail\nk=3\n", "a]b", "k"), "3");                    // the name ends at the last ']'
    EXPECT_EQ(Find("[s]\nk=1\n[S]\nlater=2\n", "s", "later"), std::nullopt);  // only the first [s]
}

TEST(IniDocumentEdit, DuplicateKeyIsWrittenInTheFirstPlaceOnly) {
    const IniDocument document{"[s]\n  Key = old\nkey=2\n[s]\nkey=3\n"};
    EXPECT_EQ(document.WithValue("S", "KEY", "9"), "[s]\nKey=9\r\nkey=2\n[s]\nkey=3\n");
}

TEST(IniDocumentEdit, NewKeyGoesBeforeTheBlankLinesThatEndItsSection) {
    EXPECT_EQ(IniDocument{"[a]\nx=1\n;c\n\n[b]\n"}.WithValue("a", "z", "3"), "[a]\nx=1\n;c\nz=3\r\n\n[b]\n");
    EXPECT_EQ(IniDocument{"[a]\n\n[b]\n"}.WithValue("a", "k", "v"), "[a]\nk=v\r\n\n[b]\n");
    EXPECT_EQ(IniDocument{"[a]"}.WithValue("a", "y", "2"), "[a]\r\ny=2\r\n");
}

TEST(IniDocumentEdit, DeletingASectionTakesEverythingUpToTheNextHeader) {
    const IniDocument document{"top\n[a]\nx=1\n; about b\n[b]\ny=2\n[A]\nz=3"};
    EXPECT_EQ(document.WithoutSection("a"), "top\n[b]\ny=2\n");
    EXPECT_EQ(document.WithoutSection("c"), document.Bytes());
    // The byte-order mark is not part of the first section: the file stays UTF-8.
    EXPECT_EQ(IniDocument{"\xEF\xBB\xBF[s]\r\nk=1\r\n"}.WithoutSection("s"), "\xEF\xBB\xBF");
    EXPECT_EQ(IniDocument{"\xEF\xBB\xBF"}.WithValue("s", "k", "v"), "\xEF\xBB\xBF[s]\r\nk=v\r\n");
}

}  // namespace
}  // namespace quorell
