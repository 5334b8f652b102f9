// Awkward files from tests/data/ini, a sequence of writes, and the exact bytes expected afterwards.

#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/ini_store.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

std::string DataFile(std::string_view name) {
    return ReadFileBytes(std::filesystem::path(QUORELL_TEST_DATA_DIR) / "ini" / std::string(name));
}

class IniGoldenTest : public ::testing::Test {
protected:
    // A working copy of a data file.
    std::filesystem::path CopyOf(std::string_view name) {
        const std::string bytes = DataFile(name);
        EXPECT_FALSE(bytes.empty()) << name;
        WriteFileBytes(file, bytes);
        return file;
    }
    TempDir dir;
    testing::SystemIniStore store;
    const std::filesystem::path file = dir.File("work.ini");
};

TEST_F(IniGoldenTest, AwkwardFileReadsByTheRules) {
    CopyOf("awkward.ini");
    EXPECT_EQ(store.Read(file, "基础设置", "用户带宽"), "15");  // quoted, blanks around
    EXPECT_EQ(store.Read(file, "基础设置", "是否透明"), "是");
    EXPECT_EQ(store.Read(file, "基础设置", "bad"), "\uFFFD\uE845");  // FF is no GBK byte; FE 81 is user-defined
    EXPECT_EQ(store.Read(file, "基础设置", "nul"), "a");
    EXPECT_EQ(store.Read(file, "基础设置", "#hash"), "1");  // "[broken section" is no header
    EXPECT_EQ(store.Read(file, "broken section", "#hash", "-"), "-");
    EXPECT_EQ(store.Read(file, "界面设置", "cpu左边"), "-1280");  // first of two
    EXPECT_EQ(store.Read(file, "基础设置", "orphan", "-"), "-");
    EXPECT_EQ(store.Read(file, "丄", "LAST"), "no final newline");
    EXPECT_EQ(store.Read(file, "乤", "last", "-"), "-");
}

TEST_F(IniGoldenTest, AwkwardFileKeepsEveryLineThatIsNotWritten) {
    CopyOf("awkward.ini");
    ASSERT_TRUE(store.Write(file, "界面设置", "Cpu左边", "-1279"));
    ASSERT_TRUE(store.Write(file, "基础设置", "用户带宽", "16"));
    ASSERT_TRUE(store.Write(file, "基础设置", "新键", "值"));
    ASSERT_TRUE(store.Write(file, "丄", "next", "1"));
    ASSERT_TRUE(store.Write(file, "新节", "k", "v"));
    ASSERT_TRUE(store.Write(file, "界面设置", "cpu左边", std::nullopt));
    ASSERT_TRUE(store.Write(file, "基础设置", "NUL", std::nullopt));
    EXPECT_EQ(ReadFileBytes(file), DataFile("awkward.expected.ini"));
}

TEST_F(IniGoldenTest, Utf8FileStaysUtf8) {
    CopyOf("bom.ini");
    ASSERT_TRUE(store.Write(file, "最近", "14", "42"));
    ASSERT_TRUE(store.Write(file, "全部", "15", "7"));
    ASSERT_TRUE(store.Write(file, "其他", "最高", "\U0001F600"));
    EXPECT_EQ(ReadFileBytes(file), DataFile("bom.expected.ini"));
}

// Four ticks of the CPU history: two in one hour, one in the next, one on the next day.
TEST_F(IniGoldenTest, HistoryFileBuiltFromNothing) {
    const std::filesystem::path cpu = dir.File("Cpu.FDB");
    auto tick = [&](const char* hour, const char* day, const char* recent, const char* recentCount, const char* all,
                    const char* allCount) {
        const std::string started = store.Read(cpu, "今天", hour);
        if (started != day) {
            ASSERT_TRUE(store.Write(cpu, "今天", hour, day));
            if (!started.empty()) {  // a new day: the recent slots start again
                ASSERT_TRUE(store.Write(cpu, "最近", std::nullopt, std::nullopt));
            }
        }
        ASSERT_TRUE(store.Write(cpu, "最近", hour, recent));
        ASSERT_TRUE(store.Write(cpu, "最近", std::string(hour) + "_A", recentCount));
        ASSERT_TRUE(store.Write(cpu, "全部", hour, all));
        ASSERT_TRUE(store.Write(cpu, "全部", std::string(hour) + "_A", allCount));
    };
    tick("14", "13", "37", "1", "37", "1");
    tick("14", "13", "42", "2", "42", "2");
    tick("15", "13", "100", "1", "100", "1");
    tick("14", "14", "20", "1", "62", "3");
    EXPECT_EQ(ReadFileBytes(cpu), DataFile("cpu_history.expected.ini"));
}

}  // namespace
}  // namespace quorell
