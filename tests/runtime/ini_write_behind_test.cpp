#include <gtest/gtest.h>

#include <chrono>

#include "runtime/ini_store.h"
#include "support/history_test_files.h"
#include "support/switchable_file_access.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using namespace std::chrono_literals;
using testing::ReadFileBytes;
using testing::SwitchableFileAccess;
using testing::TempDir;
using testing::WriteFileBytes;

class IniWriteBehindTest : public ::testing::Test {
protected:
    IniWriteBehindTest() {
        auto owned = std::make_unique<SwitchableFileAccess>();
        files = owned.get();
        store = std::make_unique<IniStore>(std::move(owned), MakeSystemGbkCodec(), [this] { return now; });
        store->SetWriteBehind(5s);
    }
    TempDir dir;
    const std::filesystem::path file = dir.File("接收.FDB");
    std::chrono::steady_clock::time_point now{};
    SwitchableFileAccess* files;
    std::unique_ptr<IniStore> store;
};

TEST_F(IniWriteBehindTest, WritesAreReadAtOnceAndSavedTogetherAfterTheDelay) {
    ASSERT_TRUE(store->Write(file, "最近", "14", "37"));
    ASSERT_TRUE(store->Write(file, "最近", "14_A", "1"));
    EXPECT_EQ(store->Read(file, "最近", "14"), "37");
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(files->replacements, 0);

    // A write never saves, however old the changes before it: a save inside a tick would store a sum
    // without its count. The save comes between events.
    now += 5s;
    ASSERT_TRUE(store->Write(file, "全部", "14", "37"));
    EXPECT_EQ(files->replacements, 0);
    ASSERT_TRUE(store->SaveDue());
    EXPECT_EQ(files->replacements, 1);
    EXPECT_FALSE(store->HasUnsavedChanges());
    // GBK on disk: 最近 is D7 EE BD FC, 全部 is C8 AB B2 BF.
    EXPECT_EQ(ReadFileBytes(file), "[\xD7\xEE\xBD\xFC]\r\n14=37\r\n14_A=1\r\n[\xC8\xAB\xB2\xBF]\r\n14=37\r\n");
}

TEST_F(IniWriteBehindTest, AnEditByHandMeanwhileIsKeptTogetherWithTheUnsavedWrites) {
    WriteFileBytes(file, "[Other]\r\nA=1\r\n");
    ASSERT_TRUE(store->Write(file, "Other", "B", "2"));
    // Someone edits the file while the write is still unsaved.
    WriteFileBytes(file, "[Other]\r\nA=changed by hand\r\nC=3\r\n");
    EXPECT_EQ(store->Read(file, "Other", "A"), "changed by hand");
    EXPECT_EQ(store->Read(file, "Other", "B"), "2");
    ASSERT_TRUE(store->Flush());
    EXPECT_EQ(ReadFileBytes(file), "[Other]\r\nA=changed by hand\r\nC=3\r\nB=2\r\n");
}

TEST_F(IniWriteBehindTest, AFailedSaveKeepsTheChangesForTheNextTry) {
    WriteFileBytes(file, "[S]\r\nK=old\r\n");
    ASSERT_TRUE(store->Write(file, "S", "K", "new"));
    files->failReplace = true;
    EXPECT_FALSE(store->Flush());
    EXPECT_EQ(ReadFileBytes(file), "[S]\r\nK=old\r\n");
    EXPECT_EQ(store->Read(file, "S", "K"), "new");
    EXPECT_TRUE(store->HasUnsavedChanges());
    files->failReplace = false;
    EXPECT_TRUE(store->Flush());
    EXPECT_EQ(ReadFileBytes(file), "[S]\r\nK=new\r\n");
}

TEST_F(IniWriteBehindTest, NothingIsDueBeforeTheDelayAndSaveTakesOneFileAtOnce) {
    const std::filesystem::path settings = dir.File("程序配置.Ini");
    ASSERT_TRUE(store->Write(file, "S", "K", "1"));
    ASSERT_TRUE(store->Write(settings, "S", "K", "2"));
    now += 4s;
    ASSERT_TRUE(store->SaveDue());
    EXPECT_EQ(files->replacements, 0);
    ASSERT_TRUE(store->Save(settings));
    EXPECT_EQ(ReadFileBytes(settings), "[S]\r\nK=2\r\n");
    EXPECT_FALSE(std::filesystem::exists(file));
}

// A disk that refuses for a long time: the unsaved edits stay one per key, the save is tried once per
// delay, the streak is reported once, and the first save that succeeds writes everything.
TEST_F(IniWriteBehindTest, ARefusingDiskCostsNoMemoryGrowthAndLosesNothing) {
    std::vector<std::string> reports;
    store->SetFailureReport([&](const std::filesystem::path& failed, const std::string& reason) {
        reports.push_back(failed.filename().string() + ": " + reason);
    });
    files->failReplace = true;
    for (int write = 0; write < 100'000; ++write) {
        const int hour = write % 24;
        ASSERT_TRUE(store->Write(file, "最近", std::to_string(hour), std::to_string(write)));
        ASSERT_TRUE(store->Write(file, "最近", std::to_string(hour) + "_A", std::to_string(write / 24)));
        if (write % 50'000 == 0) {
            ASSERT_TRUE(store->Write(file, "最近", std::nullopt, std::nullopt));  // a roll-over
        }
        if (write % 1'000 == 0) {
            now += 1s;
            store->SaveDue();
        }
    }
    EXPECT_LE(store->UnsavedEditCount(), 48u + 1u);
    EXPECT_EQ(files->replacements, 100 / 5);  // 100 simulated seconds, one try per five
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("接收.FDB: "), std::string::npos);

    files->failReplace = false;
    now += 5s;
    ASSERT_TRUE(store->SaveDue());
    EXPECT_EQ(testing::Stored(file, "最近", "23"), "99983");
    EXPECT_EQ(testing::Stored(file, "最近", "23_A"), "4165");
    EXPECT_EQ(store->UnsavedEditCount(), 0u);
    // A new streak is reported anew.
    files->failReplace = true;
    ASSERT_TRUE(store->Write(file, "最近", "0", "1"));
    EXPECT_FALSE(store->Flush());
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(IniWriteBehindTest, DeletionsWaitTooAndTheStoreSavesWhenItEnds) {
    WriteFileBytes(file, "[S]\r\nK=1\r\n[T]\r\nX=1\r\n");
    ASSERT_TRUE(store->Write(file, "S", "K", std::nullopt));
    ASSERT_TRUE(store->Write(file, "T", std::nullopt, std::nullopt));
    EXPECT_EQ(store->Read(file, "S", "K", "gone"), "gone");
    EXPECT_EQ(store->Read(file, "T", "X", "gone"), "gone");
    store.reset();
    EXPECT_EQ(ReadFileBytes(file), "[S]\r\n");
}

// The check asked before each save run (is this still the folder's one writer?): a refusal replaces
// nothing and keeps every held-back change; it is asked only when something would be replaced.
TEST_F(IniWriteBehindTest, ARefusingSaveCheckReplacesNothingAndLosesNothing) {
    bool allowed = false;
    int asked = 0;
    store->SetSaveCheck([&] {
        ++asked;
        return allowed;
    });
    ASSERT_TRUE(store->Write(file, "S", "K", "1"));
    // Asked between events even when nothing is due, so that a right to write that was lost is seen at once.
    EXPECT_TRUE(store->SaveDue());
    EXPECT_EQ(asked, 1);
    now += 5s;
    EXPECT_FALSE(store->SaveDue());
    EXPECT_FALSE(store->Flush());
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(files->replacements, 0);
    EXPECT_EQ(store->Read(file, "S", "K"), "1");
    allowed = true;
    ASSERT_TRUE(store->Flush());
    EXPECT_EQ(ReadFileBytes(file), "[S]\r\nK=1\r\n");

    // A write that replaces its file at once is refused as a whole.
    store->SetWriteBehind(0ms);
    allowed = false;
    EXPECT_FALSE(store->Write(file, "S", "K", "2"));
    EXPECT_EQ(ReadFileBytes(file), "[S]\r\nK=1\r\n");
    EXPECT_EQ(store->Read(file, "S", "K"), "1");
}

TEST_F(IniWriteBehindTest, TurningItOffSavesAtOnce) {
    ASSERT_TRUE(store->Write(file, "S", "K", "1"));
    store->SetWriteBehind(0ms);
    EXPECT_EQ(ReadFileBytes(file), "[S]\r\nK=1\r\n");
    ASSERT_TRUE(store->Write(file, "S", "K", "2"));
    EXPECT_EQ(ReadFileBytes(file), "[S]\r\nK=2\r\n");
}

}  // namespace
}  // namespace quorell
