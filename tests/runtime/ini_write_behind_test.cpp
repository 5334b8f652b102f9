#include <gtest/gtest.h>

#include <chrono>

#include "runtime/ini_store.h"
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
        store = std::make_unique<IniStore>(std::move(owned), [this] { return now; });
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

    now += 5s;
    ASSERT_TRUE(store->Write(file, "全部", "14", "37"));
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

TEST_F(IniWriteBehindTest, DeletionsWaitTooAndTheStoreSavesWhenItEnds) {
    WriteFileBytes(file, "[S]\r\nK=1\r\n[T]\r\nX=1\r\n");
    ASSERT_TRUE(store->Write(file, "S", "K", std::nullopt));
    ASSERT_TRUE(store->Write(file, "T", std::nullopt, std::nullopt));
    EXPECT_EQ(store->Read(file, "S", "K", "gone"), "gone");
    EXPECT_EQ(store->Read(file, "T", "X", "gone"), "gone");
    store.reset();
    EXPECT_EQ(ReadFileBytes(file), "[S]\r\n");
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
