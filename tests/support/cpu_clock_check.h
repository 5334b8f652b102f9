#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <thread>
#include <utility>

#include "platform/counter_ports.h"

namespace quorell::testing {

// Reads `counters` until their clock has moved a fifth of a second, however busy the machine is (a clock
// that stands still fails at a deadline), and checks that it moved as the wall clock did between the two
// readings: within a tenth, and within `stepSlack` (100 ns units) for the steps the clock moves in.
// Gives the two readings, or nothing after a failure.
inline std::optional<std::pair<CpuTimes, CpuTimes>> ExpectCpuClockFollowsWallClock(CpuCounterPort& counters,
                                                                                   std::int64_t stepSlack) {
    using std::chrono::steady_clock;
    constexpr std::int64_t kSpan = 2'000'000;
    const auto beforeStart = steady_clock::now();
    const std::optional<CpuTimes> before = counters.ReadCpuTimes();
    const auto beforeEnd = steady_clock::now();
    const auto deadline = beforeEnd + std::chrono::seconds(10);
    std::optional<CpuTimes> after = before;
    auto afterStart = beforeEnd;
    auto afterEnd = beforeEnd;
    while (after && after->systemTime - before->systemTime < kSpan && afterEnd < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        afterStart = steady_clock::now();
        after = counters.ReadCpuTimes();
        afterEnd = steady_clock::now();
    }
    if (!before || !after) {
        ADD_FAILURE() << "the counters could not be read";
        return std::nullopt;
    }
    const std::int64_t clock = after->systemTime - before->systemTime;
    EXPECT_GE(clock, kSpan) << "the clock did not move within ten seconds";
    const auto units = [](steady_clock::duration d) {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(d).count() / 100;
    };
    // The wall time between the two readings, at least and at most.
    EXPECT_GE(clock, units(afterStart - beforeEnd) * 9 / 10 - stepSlack);
    EXPECT_LE(clock, units(afterEnd - beforeStart) * 11 / 10 + stepSlack);
    return std::pair(*before, *after);
}

}  // namespace quorell::testing
