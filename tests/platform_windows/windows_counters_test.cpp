// The Windows counters of this machine (under wine: the Linux host's, through wine's Windows calls),
// read through the real ports and the core's samplers. They check ranges and relations, not values.

#include <winsock2.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

#include "platform/platform_ports.h"
#include "platform/windows/interface_table_windows.h"
#include "sampling/cpu_sampler.h"
#include "sampling/memory_sampler.h"
#include "sampling/traffic_arithmetic.h"
#include "support/cpu_clock_check.h"
#include "support/sampled_table.h"

namespace quorell {
namespace {

TEST(WindowsCounters, CpuClockFollowsTheWallClockAndTheUsageIsAPercentage) {
    PlatformPorts ports = MakePlatformPorts();
    // The system time moves in steps of up to 16 ms.
    const auto readings = testing::ExpectCpuClockFollowsWallClock(*ports.cpuCounters, 320'000);
    ASSERT_TRUE(readings);
    const auto& [before, after] = *readings;
    const int processors = before.processorCount;
    ASSERT_GE(processors, 1);
    // The clock is the system time in 100 ns units since 1601: some time after the year 2000.
    EXPECT_GT(before.systemTime, 125911584000000000);
    const std::int64_t clock = after.systemTime - before.systemTime;
    const std::int64_t idle = after.idleTime - before.idleTime;
    EXPECT_GE(idle, 0);
    // Idle of all processors cannot pass the clock times the processor count (a tick of slack each).
    EXPECT_LE(idle, (clock + 200000) * processors);

    // The count is the one the system names for the formula.
    EXPECT_EQ(processors, std::stoi(std::getenv("NUMBER_OF_PROCESSORS")));
    CpuSampler sampler(*ports.cpuCounters);
    sampler.TakeBaseline();
    const auto busyUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (std::chrono::steady_clock::now() < busyUntil) {
    }
    const std::int32_t usage = sampler.SampleCpuUsage();
    EXPECT_GE(usage, 0);
    EXPECT_LE(usage, 100);
}

TEST(WindowsCounters, MemoryStatusIsConsistentPast4GiB) {
    PlatformPorts ports = MakePlatformPorts();
    const auto status = ports.memoryStatus->ReadMemoryStatus();
    ASSERT_TRUE(status);
    EXPECT_GE(status->totalPhysicalBytes, 64ull << 20);
    EXPECT_LE(status->availablePhysicalBytes, status->totalPhysicalBytes);
    EXPECT_GE(status->loadPercent, 0);
    EXPECT_LE(status->loadPercent, 100);
    // The megabytes in use come from 64-bit counts: a machine with more than 4 GiB shows all of it.
    const MemorySample sample = MemorySampler(*ports.memoryStatus).SampleMemory();
    EXPECT_EQ(sample.usedMegabytes,
              static_cast<std::int32_t>((status->totalPhysicalBytes - status->availablePhysicalBytes) / 1024000));
}

// Sends `bytes` over the loopback interface to ourselves.
void SendOverLoopback(int bytes) {
    WSADATA data{};
    ASSERT_EQ(::WSAStartup(MAKEWORD(2, 2), &data), 0);
    const SOCKET receiver = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    const SOCKET sender = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    int length = sizeof address;
    ASSERT_EQ(::getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::string datagram(1000, 'q');
    for (int sent = 0; sent < bytes; sent += static_cast<int>(datagram.size())) {
        ::sendto(sender, datagram.data(), static_cast<int>(datagram.size()), 0, reinterpret_cast<sockaddr*>(&address),
                 sizeof address);
    }
    ::closesocket(sender);
    ::closesocket(receiver);
    ::WSACleanup();
}

const NetworkInterface* LoopbackRow(const std::vector<NetworkInterface>& rows) {
    for (const NetworkInterface& row : rows) {
        if (row.loopback) {
            return &row;
        }
    }
    return nullptr;
}

// The loopback row's bytes received and sent across sending 200000 bytes to ourselves, read from one table.
void ExpectLoopbackTrafficCounted(std::optional<std::vector<NetworkInterface>> (*read)()) {
    const auto before = read();
    ASSERT_TRUE(before);
    const NetworkInterface* loopbackBefore = LoopbackRow(*before);
    if (loopbackBefore == nullptr) {
        GTEST_SKIP() << "this machine's interface table has no loopback row";
    }
    SendOverLoopback(200000);
    const auto after = read();
    ASSERT_TRUE(after);
    const NetworkInterface* loopbackAfter = LoopbackRow(*after);
    ASSERT_NE(loopbackAfter, nullptr);
    const CounterWidth width = loopbackAfter->counterWidth;
    const auto received = CounterDelta(loopbackBefore->receivedBytes, loopbackAfter->receivedBytes, width);
    const auto sent = CounterDelta(loopbackBefore->sentBytes, loopbackAfter->sentBytes, width);
    ASSERT_TRUE(received && sent);
    EXPECT_GE(*received, 200000u);
    EXPECT_GE(*sent, 200000u);
}

TEST(WindowsCounters, InterfaceTableHoldsEveryRowInIndexOrderNamedAsTheUserKnowsIt) {
    WindowsInterfaceTable interfaces;
    const std::vector<NetworkInterface> rows = RowsAfterOneRefresh(interfaces);
    // Interfaces carry the names the user knows (the connections' aliases), not device paths.
    for (const NetworkInterface& row : rows) {
        EXPECT_EQ(row.counterWidth, CounterWidth::Bits64);
        EXPECT_FALSE(row.name.empty());
        EXPECT_EQ(row.name.find("\\DEVICE\\"), std::string::npos) << row.name;
    }
}

TEST(WindowsCounters, BothTablesDescribeTheSameInterfacesAlike) {
    auto wide = ReadInterfacesWith64BitCounters();
    auto narrow = ReadInterfacesWith32BitCounters();
    ASSERT_TRUE(wide && narrow);
    ASSERT_EQ(wide->size(), narrow->size());
    std::ranges::sort(*wide, {}, &NetworkInterface::index);
    std::ranges::sort(*narrow, {}, &NetworkInterface::index);
    for (std::size_t i = 0; i < wide->size(); ++i) {
        const NetworkInterface& a = (*wide)[i];
        const NetworkInterface& b = (*narrow)[i];
        EXPECT_EQ(a.index, b.index);
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.systemName, b.systemName);
        EXPECT_EQ(a.loopback, b.loopback);
        EXPECT_EQ(a.up, b.up) << a.name;
        EXPECT_EQ(b.counterWidth, CounterWidth::Bits32);
    }
}

TEST(WindowsCounters, LoopbackTrafficIsCountedInBothTables) {
    ExpectLoopbackTrafficCounted(&ReadInterfacesWith64BitCounters);
    ExpectLoopbackTrafficCounted(&ReadInterfacesWith32BitCounters);
}

TEST(WindowsCounters, VersionIsTheKernelsOwn) {
    const PlatformVersion version = MakePlatformPorts().platformVersion->ReadPlatformVersion();
    EXPECT_EQ(version.family, PlatformFamily::Windows);
    EXPECT_GE(version.major, 6);
}

}  // namespace
}  // namespace quorell
