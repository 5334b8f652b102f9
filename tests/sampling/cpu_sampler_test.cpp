#include "sampling/cpu_sampler.h"

#include <gtest/gtest.h>

#include "support/fake_counters.h"

namespace quorell {
namespace {

constexpr std::int64_t kSecond = 10000000;  // in 100 ns units

class CpuSamplerTest : public ::testing::Test {
protected:
    CpuSamplerTest() { counters.times = {5 * kSecond, 13'000'000'000 * kSecond, 1}; }

    // One tick of `timeDelta` in which the processors were idle for `idleDelta` together.
    std::int32_t Tick(std::int64_t idleDelta, std::int64_t timeDelta) {
        counters.Advance(idleDelta, timeDelta);
        return sampler.SampleCpuUsage();
    }

    FakeCpuCounters counters;
    CpuSampler sampler{counters};
};

TEST_F(CpuSamplerTest, UsageTruncatesAndIsNotClamped) {
    sampler.TakeBaseline();
    EXPECT_EQ(Tick(4'210'000, kSecond), 57);   // 57.9
    EXPECT_EQ(Tick(9'999'000, kSecond), 0);    // 0.01
    EXPECT_EQ(Tick(10'100'000, kSecond), -1);  // idle read a moment after the clock
    EXPECT_EQ(Tick(3'000'000, 0), 100);        // the clock did not move
    counters.times.processorCount = 2;
    EXPECT_EQ(Tick(15'000'000, kSecond), 25);  // the count of each reading
}

TEST_F(CpuSamplerTest, BaselineMakesTheFirstTickMeasureItsOwnSecond) {
    CpuSampler withoutBaseline(counters);
    // Idle time since boot against a clock since 1601: a made-up 99 %.
    EXPECT_EQ(withoutBaseline.SampleCpuUsage(), 99);
    sampler.TakeBaseline();
    EXPECT_EQ(Tick(kSecond / 2, kSecond), 50);
}

TEST_F(CpuSamplerTest, FailedQueryKeepsTheLastGoodReading) {
    sampler.TakeBaseline();
    counters.Advance(kSecond, kSecond);  // an idle second...
    counters.failing = true;
    EXPECT_FALSE(sampler.MeasureCpuUsage());
    EXPECT_EQ(sampler.SampleCpuUsage(), -1);
    sampler.TakeBaseline();
    counters.failing = false;
    // ...then a busy one: the next good call spans both, from the last good reading.
    EXPECT_EQ(Tick(0, kSecond), 50);
}

TEST_F(CpuSamplerTest, UnknownProcessorCountCountsAsOne) {
    counters.times.processorCount = 0;
    sampler.TakeBaseline();
    EXPECT_EQ(Tick(kSecond / 4, kSecond), 75);
}

}  // namespace
}  // namespace quorell
