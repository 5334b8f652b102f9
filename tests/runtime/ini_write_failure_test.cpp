#include <gtest/gtest.h>

#include "runtime/ini_store.h"
#include "support/switchable_file_access.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using testing::ReadFileBytes;
using testing::SwitchableFileAccess;
using testing::TempDir;
using testing::WriteFileBytes;

class IniWriteFailureTest : public ::testing::Test {
protected:
    IniWriteFailureTest() {
        auto owned = std::make_unique<SwitchableFileAccess>();
        files = owned.get();
        store = std::make_unique<IniStore>(std::move(owned), MakeSystemGbkCodec());
    }
    TempDir dir;
    const std::filesystem::path file = dir.File("Cpu.FDB");
    SwitchableFileAccess* files;
    std::unique_ptr<IniStore> store;
};

TEST_F(IniWriteFailureTest, FailedReplacementIsReportedAndTheOldValuesStay) {
    ASSERT_TRUE(store->Write(file, "最近", "14", "37"));
    const std::string before = ReadFileBytes(file);
    files->failReplace = true;
    EXPECT_FALSE(store->Write(file, "最近", "14", "38"));
    EXPECT_FALSE(store->Write(file, "最近", "14", std::nullopt));
    EXPECT_FALSE(store->Write(file, "最近", std::nullopt, std::nullopt));
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(store->Read(file, "最近", "14"), "37");
    files->failReplace = false;
    EXPECT_TRUE(store->Write(file, "最近", "14", "38"));
    EXPECT_EQ(store->Read(file, "最近", "14"), "38");
}

TEST_F(IniWriteFailureTest, FileThatCannotBeReadIsNeverReplaced) {
    WriteFileBytes(file, "[s]\r\nk=1\r\n");
    files->failReads = true;
    EXPECT_EQ(store->Read(file, "s", "k", "default"), "default");
    EXPECT_FALSE(store->Write(file, "s", "k", "2"));
    EXPECT_FALSE(store->Write(file, "s", "k", std::nullopt));
    EXPECT_EQ(files->replacements, 0);
    EXPECT_EQ(ReadFileBytes(file), "[s]\r\nk=1\r\n");
}

TEST_F(IniWriteFailureTest, NothingIsWrittenWhenNothingChanges) {
    ASSERT_TRUE(store->Write(file, "s", "k", "1"));
    EXPECT_EQ(files->replacements, 1);
    EXPECT_TRUE(store->Write(file, "s", "k", "1"));
    EXPECT_TRUE(store->Write(file, "s", "absent", std::nullopt));
    EXPECT_TRUE(store->Write(file, "absent", std::nullopt, std::nullopt));
    EXPECT_EQ(files->replacements, 1);
}

}  // namespace
}  // namespace quorell
