#include "sampling/memory_sampler.h"

#include <gtest/gtest.h>

#include "support/fake_counters.h"

namespace quorell {
namespace {

TEST(MemorySample, UsedMegabytesAreUnitsOf1024000BytesTruncated) {
    EXPECT_EQ(MemorySampleFrom({1073741824, 536870912, 50}), (MemorySample{50, 524}));
    EXPECT_EQ(MemorySampleFrom({2147483647, 1000000000, 53}), (MemorySample{53, 1120}));
    EXPECT_EQ(MemorySampleFrom({8000000000, 8000000000, 0}), (MemorySample{0, 0}));
}

TEST(MemorySample, MemoryBeyondThirtyTwoBitsCountsInFull) {
    // 64 GiB with 16 GiB available: 48 GiB in use.
    EXPECT_EQ(MemorySampleFrom({68719476736, 17179869184, 75}).usedMegabytes, 50331);
    // 4 TiB in use, still within the signed 32-bit megabyte count.
    EXPECT_EQ(MemorySampleFrom({4398046511104, 0, 100}).usedMegabytes, 4294967);
}

TEST(MemorySampler, ReadsThePlatformOnEveryCall) {
    FakeMemoryStatus status;
    MemorySampler sampler(status);
    status.Set(1073741824, 536870912, 50);
    EXPECT_EQ(sampler.SampleMemory(), (MemorySample{50, 524}));
    status.Set(1073741824, 1073741824, 0);
    EXPECT_EQ(sampler.SampleMemory(), (MemorySample{0, 0}));
    EXPECT_EQ(status.reads, 2);
}

TEST(MemorySampler, FailedQueryRepeatsTheLastGoodSample) {
    FakeMemoryStatus status;
    MemorySampler sampler(status);
    EXPECT_EQ(sampler.SampleMemory(), (MemorySample{0, 0}));
    status.Set(1073741824, 536870912, 50);
    sampler.SampleMemory();
    status.status.reset();
    EXPECT_EQ(sampler.SampleMemory(), (MemorySample{50, 524}));
}

}  // namespace
}  // namespace quorell
