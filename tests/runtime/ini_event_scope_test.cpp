#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "runtime/ini_store.h"
#include "support/counting_file_access.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using namespace std::chrono_literals;
using testing::CountingFileAccess;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

class IniEventScopeTest : public ::testing::Test {
protected:
    IniEventScopeTest() {
        auto owned = std::make_unique<CountingFileAccess>();
        files = owned.get();
        store = std::make_unique<IniStore>(std::move(owned), MakeSystemGbkCodec());
    }

    // Writes the file as an editor would, dated well in the past so that the store keeps its parsed copy.
    void EditByHand(std::string_view bytes) {
        WriteFileBytes(file, bytes);
        std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - 1h);
    }
    // Time passes: the file as it is now becomes older than the file system's timestamp granularity.
    void LetSettle() { files->LetSettle({file}); }

    TempDir dir;
    const std::filesystem::path file = dir.File("发送.FDB");
    CountingFileAccess* files;
    std::unique_ptr<IniStore> store;
};

TEST_F(IniEventScopeTest, ReadsWithinOneEventLookAtTheFileOnceAndEveryEventLooksAgain) {
    EditByHand("[All]\r\n0=5\r\n1=7\r\n");
    LetSettle();
    ASSERT_EQ(store->Read(file, "All", "0"), "5");  // parsed and kept

    files->identifies = 0;
    {
        const IniEventScope event(*store);
        for (int i = 0; i < 20; ++i) {
            EXPECT_EQ(store->Read(file, "All", i % 2 == 0 ? "0" : "1"), i % 2 == 0 ? "5" : "7");
        }
    }
    EXPECT_EQ(files->identifies, 1);

    // Outside an event every read looks, as before.
    store->Read(file, "All", "0");
    store->Read(file, "All", "1");
    EXPECT_EQ(files->identifies, 3);

    // A nested scope belongs to the event around it.
    {
        const IniEventScope outer(*store);
        store->Read(file, "All", "0");
        {
            const IniEventScope inner(*store);
            store->Read(file, "All", "1");
        }
        store->Read(file, "All", "0");
    }
    EXPECT_EQ(files->identifies, 4);
}

TEST_F(IniEventScopeTest, AnEditByHandDuringAnEventIsSeenByTheNextEventAndNeverOverwritten) {
    EditByHand("[Other]\r\nRecord=10\r\n");
    LetSettle();
    ASSERT_EQ(store->Read(file, "Other", "Record"), "10");
    {
        const IniEventScope event(*store);
        EXPECT_EQ(store->Read(file, "Other", "Record"), "10");
        EditByHand("[Other]\r\nRecord=999\r\n");
        // A write looks afresh: it goes onto the edited file, not onto the copy the event started with.
        ASSERT_TRUE(store->Write(file, "Other", "Ticks", "3"));
    }
    EXPECT_EQ(ReadFileBytes(file), "[Other]\r\nRecord=999\r\nTicks=3\r\n");
    const IniEventScope next(*store);
    EXPECT_EQ(store->Read(file, "Other", "Record"), "999");
}

TEST_F(IniEventScopeTest, ASaveWithinTheEventKeepsAnEditByHandMadeDuringIt) {
    store->SetWriteBehind(1h);
    EditByHand("[Other]\r\nDay=1\r\n");
    LetSettle();
    {
        const IniEventScope event(*store);
        ASSERT_TRUE(store->Write(file, "Other", "Day", "2"));
        EXPECT_EQ(store->Read(file, "Other", "Day"), "2");
        EditByHand("[Other]\r\nDay=1\r\nWeek=40\r\n");
        ASSERT_TRUE(store->Flush());
        EXPECT_EQ(ReadFileBytes(file), "[Other]\r\nDay=2\r\nWeek=40\r\n");
        // Our own replacement is read back within the same event.
        EXPECT_EQ(store->Read(file, "Other", "Week"), "40");
        EXPECT_EQ(store->Read(file, "Other", "Day"), "2");
    }
}

TEST_F(IniEventScopeTest, HeldBackWritesLookAtTheFileOnceAndAnEditByHandMeanwhileSurvivesTheSave) {
    store->SetWriteBehind(1h);
    EditByHand("[All]\r\n0=5\r\n");
    LetSettle();
    ASSERT_EQ(store->Read(file, "All", "0"), "5");
    files->identifies = 0;
    {
        const IniEventScope event(*store);
        for (int i = 0; i < 10; ++i) {
            ASSERT_TRUE(store->Write(file, "All", std::to_string(i), std::to_string(100 + i)));
        }
        EXPECT_EQ(files->identifies, 1);
        EditByHand("[All]\r\n0=5\r\nByHand=1\r\n");
        ASSERT_TRUE(store->Write(file, "All", "10", "110"));
    }
    ASSERT_TRUE(store->Flush());
    const std::string saved = ReadFileBytes(file);
    EXPECT_NE(saved.find("ByHand=1\r\n"), std::string::npos);
    EXPECT_NE(saved.find("0=100\r\n"), std::string::npos);
    EXPECT_NE(saved.find("10=110\r\n"), std::string::npos);
}

TEST_F(IniEventScopeTest, WhatASaveWroteIsNotReadBackAndAnEditByHandAfterItIsSeen) {
    store->SetWriteBehind(1h);
    EditByHand("[All]\r\n0=5\r\n");
    LetSettle();
    {
        const IniEventScope event(*store);
        ASSERT_TRUE(store->Write(file, "All", "0", "6"));
        ASSERT_TRUE(store->Flush());
        files->reads = 0;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(store->Read(file, "All", "0"), "6");
        EXPECT_EQ(files->reads, 0);
    }
    LetSettle();
    {
        const IniEventScope event(*store);
        EXPECT_EQ(store->Read(file, "All", "0"), "6");
        EXPECT_EQ(files->reads, 0);
    }
    EditByHand("[All]\r\n0=77\r\n");
    const IniEventScope next(*store);
    EXPECT_EQ(store->Read(file, "All", "0"), "77");
}

}  // namespace
}  // namespace quorell
