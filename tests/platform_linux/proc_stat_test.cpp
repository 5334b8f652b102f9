#include "platform/linux/proc_stat.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "sampling/cpu_sampler.h"

namespace quorell {
namespace {

constexpr long kUserHz = 100;

std::string ReadCaptured(const char* name) {
    std::ifstream file(std::string(QUORELL_TEST_DATA_DIR) + "/proc/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(ProcStat, CapturedTextGivesIdleAndPerProcessorClock) {
    const auto stat = ParseProcStat(ReadCaptured("stat_2cpu.txt"));
    ASSERT_TRUE(stat);
    EXPECT_EQ(stat->processorLines, 2);
    // cpu  89511 0 11742 87643 286 0 148 1077 0 0
    const auto times = CpuTimesFromProcStat(*stat, kUserHz);
    ASSERT_TRUE(times);
    EXPECT_EQ(times->idleTime, (87643 + 286) * 100000LL);
    EXPECT_EQ(times->systemTime, 190407 * 100000LL / 2);
}

TEST(ProcStat, GuestTimeIsNotCountedTwiceAndOldKernelsParse) {
    const auto stat = ParseProcStat("cpu  100 20 30 400 5 6 7 8 50 10\ncpu0 1 2 3 4\n");
    ASSERT_TRUE(stat);
    const auto times = CpuTimesFromProcStat(*stat, kUserHz);
    ASSERT_TRUE(times);
    EXPECT_EQ(times->systemTime, 576 * 100000LL);
    EXPECT_EQ(times->idleTime, 405 * 100000LL);
    const auto old = ParseProcStat("cpu 10 0 20 70\ncpu0 5 0 10 35\ncpu1 5 0 10 35\nintr 1\n");
    ASSERT_TRUE(old);
    EXPECT_EQ(CpuTimesFromProcStat(*old, kUserHz)->systemTime, 50 * 100000LL);
}

TEST(ProcStat, UnusableTextsGiveNothing) {
    for (const char* bad :
         {"", "cpu0 1 2 3 4\n", "cpu  1 2 3\ncpu0 1 2 3\n", "cpu  1 2 x 4\ncpu0 1 2 3 4\n", "cpu  1 2 3 4\n",
          "cpu  -1 2 3 4\ncpu0 1 2 3 4\n", "cpu  99999999999999999999999 2 3 4\ncpu0 1 2 3 4\n"}) {
        EXPECT_FALSE(ParseProcStat(bad)) << bad;
    }
    ProcStatCpu stat;
    stat.processorLines = 1;
    EXPECT_FALSE(CpuTimesFromProcStat(stat, 0));
}

TEST(ProcStat, YearsOfTicksOnManyProcessorsDoNotOverflow) {
    // 512 processors up for ten years: 1.6e12 ticks.
    const auto stat = ParseProcStat("cpu  1600000000000 0 0 0\ncpu0 0 0 0 0\n");
    ASSERT_TRUE(stat);
    const auto times = CpuTimesFromProcStat(*stat, kUserHz);
    ASSERT_TRUE(times);
    EXPECT_EQ(times->systemTime, 160000000000000000LL);
}

// The CPU counters as two successive texts of /proc/stat would give them.
class ProcStatTexts final : public CpuCounterPort {
public:
    explicit ProcStatTexts(std::vector<std::string> texts) : texts_(std::move(texts)) {}
    std::optional<CpuTimes> ReadCpuTimes() override {
        const auto stat = ParseProcStat(texts_.at(next_++));
        return stat ? CpuTimesFromProcStat(*stat, kUserHz) : std::nullopt;
    }

private:
    std::vector<std::string> texts_;
    std::size_t next_ = 0;
};

TEST(ProcStat, UsageBetweenTwoTextsIsTheBusyShareOfAllProcessors) {
    // Over 1.5 s on two processors (300 ticks), 150 ticks idle or waiting: half the machine was busy.
    ProcStatTexts texts(
        {ReadCaptured("stat_2cpu.txt"), "cpu  89611 0 11792 87763 316 0 148 1077 0 0\ncpu0 1 1 1 1\ncpu1 1 1 1 1\n"});
    CpuSampler sampler(texts);
    sampler.TakeBaseline();
    EXPECT_EQ(sampler.SampleCpuUsage(), 50);

    // Eight processors listed, 60 % of their second idle: 40 % busy. The count is the one the clock was
    // divided by, whatever else the process is told (a count of 4 would give -20 %).
    const std::string eight =
        "cpu0 0 0 0 0\ncpu1 0 0 0 0\ncpu2 0 0 0 0\ncpu3 0 0 0 0\n"
        "cpu4 0 0 0 0\ncpu5 0 0 0 0\ncpu6 0 0 0 0\ncpu7 0 0 0 0\n";
    ProcStatTexts eightProcessors({"cpu  1000 0 0 1000\n" + eight, "cpu  1320 0 0 1480\n" + eight});
    CpuSampler onEight(eightProcessors);
    onEight.TakeBaseline();
    EXPECT_EQ(onEight.SampleCpuUsage(), 40);
}

}  // namespace
}  // namespace quorell
