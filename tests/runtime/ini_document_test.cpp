#include <gtest/gtest.h>

#include "runtime/ini_document.h"

namespace quorell {
namespace {

using namespace std::string_literals;

std::optional<std::string> Find(std::string_view bytes, std::string_view section, std::string_view key) {
    const IniDocument document{std::string(bytes)};
    const auto value = document.FindValue(section, key);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

// --- Reading -------------------------------------------------------------------------------------

TEST(IniDocumentRead, NamesMatchWithoutAsciiCaseAndBlanksAreTrimmed) {
    const std::string bytes = "[ Main ]\r\n  Width =  640 \t\r\nheight=480\n";
    EXPECT_EQ(Find(bytes, "main", "WIDTH"), "640");
    EXPECT_EQ(Find(bytes, "MAIN", "Height"), "480");
    EXPECT_EQ(Find(bytes, "Main", "depth"), std::nullopt);
    EXPECT_EQ(Find(bytes, "Other", "width"), std::nullopt);
}

TEST(IniDocumentRead, OnePairOfMatchingQuotesIsDropped) {
    const std::string bytes =
        "[q]\n"
        "double=\" padded \"\n"
        "single='x'\n"
        "twice=\"\"x\"\"\n"
        "mixed=\"x'\n"
        "lone=\"\n"
        "empty=\"\"\n"
        "inner=a\"b\"\n";
    EXPECT_EQ(Find(bytes, "q", "double"), " padded ");
    EXPECT_EQ(Find(bytes, "q", "single"), "x");
    EXPECT_EQ(Find(bytes, "q", "twice"), "\"x\"");
    EXPECT_EQ(Find(bytes, "q", "mixed"), "\"x'");
    EXPECT_EQ(Find(bytes, "q", "lone"), "\"");
    EXPECT_EQ(Find(bytes, "q", "empty"), "");
    EXPECT_EQ(Find(bytes, "q", "inner"), "a\"b\"");
}

TEST(IniDocumentRead, ValueRunsToEndOfLineAndSplitsAtFirstEquals) {
    const std::string bytes = "[s]\nformula=a=b ; not a comment\nblank=\n";
    EXPECT_EQ(Find(bytes, "s", "formula"), "a=b ; not a comment");
    EXPECT_EQ(Find(bytes, "s", "blank"), "");
}

TEST(IniDocumentRead, CommentsHashLinesAndLinesWithoutEqualsAreNotSpecial) {
    const std::string bytes = "[s]\n;a=1\n#b=2\nc\n  ;d=4\n";
    EXPECT_EQ(Find(bytes, "s", ";a"), std::nullopt);
    EXPECT_EQ(Find(bytes, "s", "a"), std::nullopt);
    EXPECT_EQ(Find(bytes, "s", "#b"), "2");  // only ';' starts a comment
    EXPECT_EQ(Find(bytes, "s", "c"), std::nullopt);
    EXPECT_EQ(Find(bytes, "s", "d"), std::nullopt);
}

TEST(IniDocumentRead, LinesBeforeFirstSectionBelongToNone) {
    const std::string bytes = "a=1\n[s]\nb=2\n";
    EXPECT_EQ(Find(bytes, "s", "a"), std::nullopt);
    EXPECT_EQ(Find(bytes, "s", "b"), "2");
}

TEST(IniDocumentRead, FirstOfDuplicateSectionsAndKeysWins) {
    const std::string bytes = "[s]\nk=first\nk=second\nonlyLater=0\n[S]\nk=third\nlater=1\n";
    EXPECT_EQ(Find(bytes, "s", "k"), "first");
    // A later section of the same name is not searched.
    EXPECT_EQ(Find(bytes, "s", "later"), std::nullopt);
}

TEST(IniDocumentRead, HeaderNeedsClosingBracketAndNameEndsAtLastOne) {
    const std::string bytes = "[s]\nk=1\n[broken\nk2=2\n[a]b] trailing\nk3=3\n";
    // "[broken" is not a header, so the following key still belongs to [s].
    EXPECT_EQ(Find(bytes, "s", "k2"), "2");
    EXPECT_EQ(Find(bytes, "broken", "k2"), std::nullopt);
    EXPECT_EQ(Find(bytes, "a]b", "k3"), "3");
    EXPECT_EQ(Find(bytes, "s", "[broken"), std::nullopt);
}

TEST(IniDocumentRead, AwkwardBytesAreOrdinaryData) {
    const std::string bytes = "[s]\r\nnul=a\0b\r\nnoend=last"s;
    EXPECT_EQ(Find(bytes, "s", "nul"), "a\0b"s);
    EXPECT_EQ(Find(bytes, "s", "noend"), "last");
    EXPECT_EQ(Find("[s]\rk=1\r", "s", "k"), std::nullopt);  // a lone CR does not end a line
    EXPECT_EQ(Find("", "s", "k"), std::nullopt);
    EXPECT_EQ(Find("[", "s", "k"), std::nullopt);
    EXPECT_EQ(Find("[]\n=v\n", "", ""), "v");  // matches nothing the callers can ask for (they trim)
}

TEST(IniDocumentRead, GbkSecondBytesAreNotCaseFolded) {
    // 0x81 0x41 and 0x81 0x61 are two different characters whose second bytes look like 'A' and 'a'.
    const std::string bytes = "[\x81\x41]\nK\x81\x41=1\n";
    EXPECT_EQ(Find(bytes, "\x81\x41", "k\x81\x41"), "1");
    EXPECT_EQ(Find(bytes, "\x81\x61", "k\x81\x41"), std::nullopt);
    EXPECT_EQ(Find(bytes, "\x81\x41", "k\x81\x61"), std::nullopt);
}

TEST(IniDocumentRead, ByteOrderMarkMeansUtf8) {
    const IniDocument utf8{"\xEF\xBB\xBF[s]\nk=v\n"};
    EXPECT_EQ(utf8.Encoding(), IniEncoding::kUtf8);
    EXPECT_EQ(utf8.FindValue("s", "k"), "v");
    EXPECT_EQ(IniDocument{"[s]\n"}.Encoding(), IniEncoding::kGbk);
}

// --- Editing -------------------------------------------------------------------------------------

TEST(IniDocumentEdit, ValueIsReplacedInPlaceKeepingTheFilesSpellingOfTheName) {
    const IniDocument document{"; head\n[s]\n  Key = old ; x\nnext=1\n"};
    EXPECT_EQ(document.WithValue("S", "key", "new"), "; head\n[s]\nKey=new\r\nnext=1\n");
}

TEST(IniDocumentEdit, NewKeyGoesAfterLastNonBlankLineOfItsSection) {
    const IniDocument document{"[a]\nx=1\n; note\n\n\n[b]\ny=2\n"};
    EXPECT_EQ(document.WithValue("a", "z", "3"), "[a]\nx=1\n; note\nz=3\r\n\n\n[b]\ny=2\n");
    EXPECT_EQ(document.WithValue("b", "z", "3"), "[a]\nx=1\n; note\n\n\n[b]\ny=2\nz=3\r\n");
    EXPECT_EQ(IniDocument{"[a]\n\n[b]\n"}.WithValue("a", "k", "v"), "[a]\nk=v\r\n\n[b]\n");
}

TEST(IniDocumentEdit, NewSectionGoesAtEndOfFile) {
    EXPECT_EQ(IniDocument{""}.WithValue("s", "k", "v"), "[s]\r\nk=v\r\n");
    EXPECT_EQ(IniDocument{"[a]\r\nx=1\r\n"}.WithValue("s", "k", "v"), "[a]\r\nx=1\r\n[s]\r\nk=v\r\n");
    EXPECT_EQ(IniDocument{"\xEF\xBB\xBF"}.WithValue("s", "k", "v"), "\xEF\xBB\xBF[s]\r\nk=v\r\n");
}

TEST(IniDocumentEdit, MissingFinalLineEndIsAddedBeforeAppending) {
    EXPECT_EQ(IniDocument{"[a]\nx=1"}.WithValue("a", "y", "2"), "[a]\nx=1\r\ny=2\r\n");
    EXPECT_EQ(IniDocument{"[a]"}.WithValue("a", "y", "2"), "[a]\r\ny=2\r\n");
    EXPECT_EQ(IniDocument{"[a]\nx=1"}.WithValue("b", "y", "2"), "[a]\nx=1\r\n[b]\r\ny=2\r\n");
    EXPECT_EQ(IniDocument{"[a]\nx=1"}.WithValue("a", "x", "2"), "[a]\nx=2\r\n");
}

TEST(IniDocumentEdit, WritingADuplicateChangesOnlyTheFirst) {
    const IniDocument document{"[s]\nk=1\nk=2\n[s]\nk=3\n"};
    EXPECT_EQ(document.WithValue("s", "k", "9"), "[s]\nk=9\r\nk=2\n[s]\nk=3\n");
}

TEST(IniDocumentEdit, DeletingAKeyRemovesEveryLineOfItInItsSection) {
    const IniDocument document{"[s]\nk=1\n;c\nK = 2\nother=0\n[t]\nk=5\n"};
    EXPECT_EQ(document.WithoutKey("s", "k"), "[s]\n;c\nother=0\n[t]\nk=5\n");
    EXPECT_EQ(document.WithoutKey("s", "absent"), document.Bytes());
    EXPECT_EQ(document.WithoutKey("absent", "k"), document.Bytes());
    EXPECT_EQ(IniDocument{"[s]\nk=1"}.WithoutKey("s", "k"), "[s]\n");
}

TEST(IniDocumentEdit, DeletingASectionRemovesItsHeaderAndEverythingUpToTheNext) {
    const IniDocument document{"top\n[a]\nx=1\n; about b\n[b]\ny=2\n[A]\nz=3"};
    EXPECT_EQ(document.WithoutSection("a"), "top\n[b]\ny=2\n");
    EXPECT_EQ(document.WithoutSection("b"), "top\n[a]\nx=1\n; about b\n[A]\nz=3");
    EXPECT_EQ(document.WithoutSection("c"), document.Bytes());
    // The byte-order mark is not part of the first section: the file stays UTF-8.
    EXPECT_EQ(IniDocument{"\xEF\xBB\xBF[s]\r\nk=1\r\n"}.WithoutSection("s"), "\xEF\xBB\xBF");
}

TEST(IniDocumentEdit, BytesOutsideTheEditAreKeptEvenWhenNotValidText) {
    const std::string odd = "\xFF\xFE junk\x81\n[s]\n\x80=\xA1\n\0\0\n"s;
    const IniDocument document{odd + "k=1\n"};
    EXPECT_EQ(document.WithValue("s", "k", "2"), odd + "k=2\r\n");
    EXPECT_EQ(document.WithValue("s", "n", "3"), odd + "k=1\nn=3\r\n");
}

}  // namespace
}  // namespace quorell
