#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/linux/cpu_counters_linux.h"
#include "platform/linux/interface_table_linux.h"
#include "platform/linux/memory_status_linux.h"
#include "platform/linux/platform_version_linux.h"
#include "platform/linux/proc_text.h"
#include "support/cpu_clock_check.h"
#include "support/sampled_table.h"

namespace quorell {
namespace {

// These read this machine's own counters, so they check ranges and relations, not values.

TEST(LinuxCounters, CpuClockFollowsTheWallClockAndIdleStaysWithinIt) {
    LinuxCpuCounters counters;
    // A processor's time is counted in ticks of 10 ms, so either end may lag by about one.
    const auto readings = testing::ExpectCpuClockFollowsWallClock(counters, 200'000);
    ASSERT_TRUE(readings);
    const auto& [before, after] = *readings;
    const std::int64_t clock = after.systemTime - before.systemTime;
    const std::int64_t idle = after.idleTime - before.idleTime;
    EXPECT_GE(idle, 0);
    // Idle of all processors cannot pass the clock times the processor count (one tick of slack each).
    ASSERT_GE(after.processorCount, 1);
    EXPECT_LE(idle, (clock + 100000) * after.processorCount);
}

TEST(LinuxCounters, KernelTextKeptOpenIsProducedAfreshAtEveryRead) {
    ProcTextFile uptime("/proc/uptime");
    const auto first = uptime.Read();
    ASSERT_TRUE(first);
    const std::string before(*first);
    // The uptime moves every 10 ms: a later read of the same open file must show it move.
    bool changed = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!changed && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const auto again = uptime.Read();
        ASSERT_TRUE(again);
        changed = *again != before;
    }
    EXPECT_TRUE(changed);
    EXPECT_FALSE(ProcTextFile("/proc/no-such-file").Read());
}

TEST(LinuxCounters, MemoryStatusIsConsistent) {
    LinuxMemoryStatus memory;
    const auto status = memory.ReadMemoryStatus();
    ASSERT_TRUE(status);
    const auto pageBytes = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    const auto physicalPages = static_cast<std::uint64_t>(::sysconf(_SC_PHYS_PAGES));
    EXPECT_EQ(status->totalPhysicalBytes, pageBytes * physicalPages);
    EXPECT_LE(status->availablePhysicalBytes, status->totalPhysicalBytes);
    EXPECT_GE(status->loadPercent, 0);
    EXPECT_LE(status->loadPercent, 100);
}

TEST(LinuxCounters, InterfaceTableHoldsLoopbackWithItsKernelNameInAscendingIndexOrder) {
    LinuxInterfaceTable interfaces;
    const std::vector<NetworkInterface> rows = RowsAfterOneRefresh(interfaces);
    bool loopback = false;
    for (const NetworkInterface& row : rows) {
        EXPECT_EQ(row.counterWidth, CounterWidth::Bits64);
        EXPECT_EQ(row.name, row.systemName);
        if (row.loopback) {
            loopback = true;
            EXPECT_EQ(row.name, "lo");
        }
    }
    EXPECT_TRUE(loopback);
}

// Bytes sent to this machine's own address travel through the loopback interface.
void SendOverLoopback() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(9);  // discard: the datagram is counted whether or not anyone listens
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const char payload[512] = {};
    for (int i = 0; i < 4; ++i) {
        ::sendto(fd, payload, sizeof payload, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
    ::close(fd);
}

std::uint64_t LoopbackOutOctets(LinuxInterfaceTable& interfaces) {
    const auto rows = interfaces.ReadInterfaces();
    if (!rows)
        return 0;
    for (const auto& row : *rows) {
        if (row.loopback)
            return row.sentBytes;
    }
    return 0;
}

TEST(LinuxCounters, InterfaceTableIsReadAfreshAtEveryRead) {
    LinuxInterfaceTable interfaces;
    const std::uint64_t before = LoopbackOutOctets(interfaces);
    SendOverLoopback();
    EXPECT_GT(LoopbackOutOctets(interfaces), before);
}

TEST(LinuxVersionFromRelease, TakesMajorAndMinor) {
    EXPECT_EQ(LinuxVersionFromRelease("6.1.0-18-amd64"), (PlatformVersion{PlatformFamily::Linux, 6, 1}));
    EXPECT_EQ(LinuxVersionFromRelease("5"), (PlatformVersion{PlatformFamily::Linux, 5, 0}));
    EXPECT_EQ(LinuxVersionFromRelease("weird"), (PlatformVersion{PlatformFamily::Linux, 0, 0}));
}

}  // namespace
}  // namespace quorell
