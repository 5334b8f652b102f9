#include "platform/linux/proc_meminfo.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace quorell {
namespace {

std::string ReadCaptured(const char* name) {
    std::ifstream file(std::string(QUORELL_TEST_DATA_DIR) + "/proc/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(Meminfo, CapturedTextGivesTotalAvailableAndLoad) {
    const auto status = ParseMeminfo(ReadCaptured("meminfo.txt"));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->totalPhysicalBytes, 24683772ull * 1024);
    EXPECT_EQ(status->availablePhysicalBytes, 23668940ull * 1024);
    EXPECT_EQ(status->loadPercent, 4);  // 1014832 / 24683772 = 4.1 %
    EXPECT_EQ(ParseMeminfo("MemTotal: 1000 kB\nMemAvailable: 1 kB\n")->loadPercent, 99);
    // "SwapTotal" and "MemTotalX" are not MemTotal.
    EXPECT_EQ(ParseMeminfo("SwapTotal: 9 kB\nMemTotalX: 7 kB\nMemTotal: 2 kB\nMemAvailable: 1 kB\n")->loadPercent, 50);
}

TEST(Meminfo, WithoutMemAvailableFreeAndCachesCountAsAvailable) {
    const auto status =
        ParseMeminfo("MemTotal:  1000 kB\nMemFree:  100 kB\nBuffers:  50 kB\nCached:  200 kB\nSReclaimable:  50 kB\n");
    ASSERT_TRUE(status);
    EXPECT_EQ(status->availablePhysicalBytes, 400u * 1024);
    EXPECT_EQ(status->loadPercent, 60);
}

TEST(Meminfo, MoreAvailableThanTotalReadsAsNothingInUse) {
    const auto status = ParseMeminfo("MemTotal: 1000 kB\nMemAvailable: 1200 kB\n");
    ASSERT_TRUE(status);
    EXPECT_EQ(status->availablePhysicalBytes, status->totalPhysicalBytes);
    EXPECT_EQ(status->loadPercent, 0);
}

TEST(Meminfo, UnusableTextsGiveNothing) {
    for (const char* bad :
         {"", "MemTotal: 0 kB\nMemAvailable: 0 kB\n", "MemAvailable: 5 kB\n", "MemTotal: lots\nMemAvailable: 5 kB\n",
          "MemTotal: 1000 kB\n", "MemTotal: 99999999999999999999 kB\nMemAvailable: 1 kB\n",
          "MemTotal: 1000 MB\nMemAvailable: 5 kB\n"}) {
        EXPECT_FALSE(ParseMeminfo(bad)) << bad;
    }
}

}  // namespace
}  // namespace quorell
