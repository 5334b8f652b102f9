#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "runtime/ini_file.h"
#include "runtime/ini_store.h"
#include "support/counting_file_access.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using namespace std::string_literals;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

// GBK bytes of the names the program uses.
const std::string kGbkBasicSettings = "\xBB\xF9\xB4\xA1\xC9\xE8\xD6\xC3";  // 基础设置
const std::string kGbkBandwidth = "\xD3\xC3\xBB\xA7\xB4\xF8\xBF\xED";      // 用户带宽

class IniFileTest : public ::testing::Test {
protected:
    TempDir dir;
    testing::SystemIniStore store;
    const std::filesystem::path file = dir.File("settings.ini");
};

// --- Encoding on disk ----------------------------------------------------------------------------

TEST_F(IniFileTest, FileHoldsGbkAndProgramSeesUtf8) {
    ASSERT_TRUE(store.Write(file, "基础设置", "用户带宽", "15"));
    ASSERT_TRUE(store.Write(file, "基础设置", "是否透明", "是"));
    EXPECT_EQ(ReadFileBytes(file), "[" + kGbkBasicSettings + "]\r\n" + kGbkBandwidth + "=15\r\n" +
                                       "\xCA\xC7\xB7\xF1\xCD\xB8\xC3\xF7=\xCA\xC7\r\n");
    EXPECT_EQ(store.Read(file, "基础设置", "是否透明"), "是");
    EXPECT_EQ(store.Read(file, "基础设置", "用户带宽", "2"), "15");
}

TEST_F(IniFileTest, TextWithoutGbkFormIsRefusedAndNotLookedUp) {
    ASSERT_TRUE(store.Write(file, "s", "k", "1"));
    const std::string before = ReadFileBytes(file);
    EXPECT_FALSE(store.Write(file, "s", "k", "\U0001F600"));
    EXPECT_FALSE(store.Write(file, "s", "\U0001F600", "1"));
    EXPECT_FALSE(store.Write(file, "s", "k", "\xC3"));  // not UTF-8 at all
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(store.Read(file, "s", "\U0001F600", "d"), "d");
}

// --- Arguments of the read -----------------------------------------------------------------------

TEST_F(IniFileTest, LeadingControlsAreSkippedAndThenEmptyArgumentsGiveEmptyTextEvenWithADefault) {
    ASSERT_TRUE(store.Write(file, "s", "k", "v"));
    EXPECT_EQ(store.Read(std::filesystem::path(" \t\x01") += file.native(), "\x1F s", "\n k"), "v");
    EXPECT_EQ(store.Read(file, "s", "", "d"), "");
    EXPECT_EQ(store.Read(file, "s", " \t ", "d"), "");
    EXPECT_EQ(store.Read(file, "", "k", "d"), "");
    EXPECT_EQ(store.Read("", "s", "k", "d"), "");
    EXPECT_EQ(store.Read("  ", "s", "k", "d"), "");
}

TEST_F(IniFileTest, AbsentFileSectionOrKeyGiveTheDefaultButAnEmptyValueDoesNot) {
    EXPECT_EQ(store.Read(file, "s", "k", "Null"), "Null");
    EXPECT_EQ(store.Read(file, "s", "k"), "");
    ASSERT_TRUE(store.Write(file, "s", "k", ""));
    EXPECT_EQ(store.Read(file, "s", "k", "1"), "");
    EXPECT_EQ(store.Read(file, "s", "other", "1"), "1");
    EXPECT_EQ(store.Read(file, "t", "k", "1"), "1");
}

TEST_F(IniFileTest, TextsEndAtTheirFirstNul) {
    ASSERT_TRUE(store.Write(file, "s\0ignored"s, "k\0ignored"s, "v\0ignored"s));
    EXPECT_EQ(ReadFileBytes(file), "[s]\r\nk=v\r\n");
    EXPECT_EQ(store.Read(file, "s\0x"s, "k\0y"s), "v");
    EXPECT_EQ(store.Read(file, "s", "absent", "d\0x"s), "d");
}

TEST_F(IniFileTest, ValueIsCutAt10239BytesNeverInsideACharacter) {
    const std::string fits(IniStore::kMaxValueBytes, 'a');
    ASSERT_TRUE(store.Write(file, "s", "exact", fits));
    ASSERT_TRUE(store.Write(file, "s", "long", fits + "bc"));
    // 10238 bytes and a character of three bytes in UTF-8 (two in GBK): the character does not fit.
    ASSERT_TRUE(store.Write(file, "s", "wide", std::string(10238, 'a') + "中"));
    // Compared as booleans: a failure would otherwise print ten kilobytes.
    EXPECT_TRUE(store.Read(file, "s", "exact") == fits);
    EXPECT_TRUE(store.Read(file, "s", "long") == fits);
    EXPECT_TRUE(store.Read(file, "s", "wide") == std::string(10238, 'a'));
    EXPECT_TRUE(store.Read(file, "s", "absent", fits + "中") == fits);
    const std::string exactWide = std::string(10236, 'a') + "中";
    EXPECT_TRUE(store.Read(file, "s", "absent", exactWide) == exactWide);
}

TEST_F(IniFileTest, MegabyteLineWithoutFinalLineEndIsReadAndKept) {
    const std::string huge(1 << 20, 'x');
    std::string wide;  // 中 in GBK, two bytes on disk and three in the program
    for (int i = 0; i < (1 << 19); ++i)
        wide += "\xD6\xD0";
    WriteFileBytes(file, "[s]\nbig=" + huge + "\nwide=" + wide + "\n[t]\nk=" + huge);
    EXPECT_TRUE(store.Read(file, "s", "big") == std::string(IniStore::kMaxValueBytes, 'x'));
    std::string expectedWide;
    for (std::size_t i = 0; i < IniStore::kMaxValueBytes / 3; ++i)
        expectedWide += "中";
    EXPECT_TRUE(store.Read(file, "s", "wide") == expectedWide);
    ASSERT_TRUE(store.Write(file, "t", "n", "1"));
    EXPECT_TRUE(ReadFileBytes(file) == "[s]\nbig=" + huge + "\nwide=" + wide + "\n[t]\nk=" + huge + "\r\nn=1\r\n");
}

// --- Writing -------------------------------------------------------------------------------------

TEST_F(IniFileTest, FirstWriteCreatesTheFileButNeitherADirectoryNorAFileToDeleteFrom) {
    EXPECT_TRUE(store.Write(file, "s", "k", std::nullopt));
    EXPECT_TRUE(store.Write(file, "s", std::nullopt, std::nullopt));
    EXPECT_FALSE(store.Write(dir.File("missing") / "settings.ini", "s", "k", "v"));
    EXPECT_EQ(dir.Listing(), "");
    EXPECT_TRUE(store.Write(file, "s", "k", "v"));
    EXPECT_EQ(dir.Listing(), "settings.ini");
}

TEST_F(IniFileTest, ValueIsStoredAsGivenAndReadBackTrimmedAndUnquoted) {
    ASSERT_TRUE(store.Write(file, " s ", " k ", "  \"a b\"  "));
    EXPECT_EQ(ReadFileBytes(file), "[s]\r\nk=  \"a b\"  \r\n");
    EXPECT_EQ(store.Read(file, "s", "k"), "a b");
}

TEST_F(IniFileTest, NamesAndValuesThatWouldNotReadBackAreRefused) {
    ASSERT_TRUE(store.Write(file, "s", "k", "1"));
    const std::string before = ReadFileBytes(file);
    EXPECT_FALSE(store.Write(file, "s", "k", "1\r\n[s]\r\nk=forged"));
    EXPECT_FALSE(store.Write(file, "s", "k", "1\n"));
    EXPECT_FALSE(store.Write(file, "s\r\nk=2", "k", "1"));
    EXPECT_FALSE(store.Write(file, "s", "a=b", "1"));
    EXPECT_FALSE(store.Write(file, "s", "[t]", "1"));
    EXPECT_FALSE(store.Write(file, "s", ";k", "1"));
    EXPECT_FALSE(store.Write(file, "s", "  ", "1"));
    EXPECT_FALSE(store.Write(file, " ", "k", "1"));
    EXPECT_FALSE(store.Write("", "s", "k", "1"));
    EXPECT_EQ(ReadFileBytes(file), before);
}

// --- Parsed copies -------------------------------------------------------------------------------

// Waits until `file` is settled on the real file system's timestamps (its next change is bound to show
// in its identity), or fails at a deadline.
void LetFileSettle(const std::filesystem::path& file) {
    const std::unique_ptr<FileAccess> files = MakeSystemFileAccess();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::optional<FileIdentity> identity = files->Identify(file);
    while (identity && !files->Settled(*identity) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        identity = files->Identify(file);
    }
    ASSERT_TRUE(identity && files->Settled(*identity));
}

TEST_F(IniFileTest, EditByHandIsSeenAtTheNextRead) {
    WriteFileBytes(file, "[s]\r\nk=1\r\n");
    LetFileSettle(file);
    EXPECT_EQ(store.Read(file, "s", "k"), "1");
    // Same inode, same size, even the same modification time: only the change time tells.
    const auto stamp = std::filesystem::last_write_time(file);
    WriteFileBytes(file, "[s]\r\nk=2\r\n");
    std::filesystem::last_write_time(file, stamp);
    EXPECT_EQ(store.Read(file, "s", "k"), "2");
    // Replaced by another file, as editors do.
    WriteFileBytes(dir.File("other"), "[s]\r\nk=3\r\n");
    std::filesystem::rename(dir.File("other"), file);
    EXPECT_EQ(store.Read(file, "s", "k"), "3");
    std::filesystem::remove(file);
    EXPECT_EQ(store.Read(file, "s", "k", "gone"), "gone");
}

TEST(IniStoreCache, UnchangedSettledFileIsParsedOnceAndAFreshOneEveryTime) {
    TempDir dir;
    auto counting = std::make_unique<testing::CountingFileAccess>();
    testing::CountingFileAccess& files = *counting;
    const int& reads = files.reads;
    IniStore store(std::move(counting), MakeSystemGbkCodec());
    WriteFileBytes(dir.File("old.ini"), "[s]\r\nk=1\r\n");
    files.LetSettle({dir.File("old.ini")});
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(store.Read(dir.File("old.ini"), "s", "k"), "1");
    EXPECT_EQ(reads, 1);
    // A file changed a moment ago might change again within the same timestamp: it is never trusted.
    WriteFileBytes(dir.File("new.ini"), "[s]\r\nk=2\r\n");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(store.Read(dir.File("new.ini"), "s", "k"), "2");
    EXPECT_EQ(reads, 4);
    store.Forget();
    EXPECT_EQ(store.Read(dir.File("old.ini"), "s", "k"), "1");
    EXPECT_EQ(reads, 5);
}

TEST(IniFileFunctions, AFileReadsAndWritesThroughItsStore) {
    TempDir dir;
    testing::SystemIniStore store;
    const IniFile file(store, dir.File("Cpu.FDB"));
    ASSERT_TRUE(file.Write("最近", "14", "37"));
    EXPECT_EQ(file.Read("最近", "14"), "37");
    EXPECT_EQ(file.Read("最近", "15", "1"), "1");
    ASSERT_TRUE(file.Write("最近", std::nullopt, std::nullopt));
    EXPECT_EQ(ReadFileBytes(file.Path()), "");
}

}  // namespace
}  // namespace quorell
