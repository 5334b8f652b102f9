// The Windows counters of this machine (under wine: the Linux host's, through wine's Windows calls),
// read through the real ports and the core's samplers. They check ranges and relations, not values.

#include <winsock2.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include <chrono>

#include "platform/platform_ports.h"
#include "platform/windows/interface_table_windows.h"
#include "sampling/cpu_sampler.h"
#include "sampling/if_table_block.h"
#include "sampling/memory_sampler.h"
#include "sampling/traffic_arithmetic.h"
#include "support/cpu_clock_check.h"

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

const InterfaceRow* LoopbackRow(const std::vector<InterfaceRow>& rows) {
    for (const InterfaceRow& row : rows) {
        if (row.dwType == kInterfaceTypeLoopback) {
            return &row;
        }
    }
    return nullptr;
}

TEST(WindowsCounters, InterfaceTableBlockHoldsEveryRowInIndexOrderAndCountsLoopbackTraffic) {
    const auto before = ReadIfTableBlock();
    ASSERT_TRUE(before);
    ASSERT_GE(before->bytes.size(), 4u);
    const std::vector<InterfaceRow> rows = ParseIfTableBlock(before->bytes);
    EXPECT_EQ(static_cast<std::size_t>(ReadInt32LE(before->bytes, 0)), rows.size());
    EXPECT_GE(before->bytes.size(), 4 + rows.size() * kIfTableRowBytes);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_LT(rows[i - 1].dwIndex, rows[i].dwIndex);
    }
    // Interfaces carry the names the user knows (the connections' aliases), not device paths.
    for (const InterfaceRow& row : rows) {
        const std::string name = InterfaceFromRow(row).name;
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(name.find("\\DEVICE\\"), std::string::npos) << name;
    }
    const InterfaceRow* loopbackBefore = LoopbackRow(rows);
    if (loopbackBefore == nullptr) {
        GTEST_SKIP() << "this machine's interface table has no loopback row";
    }

    SendOverLoopback(200000);
    const auto after = ReadIfTableBlock();
    ASSERT_TRUE(after);
    const std::vector<InterfaceRow> rowsAfter = ParseIfTableBlock(after->bytes);
    const InterfaceRow* loopbackAfter = LoopbackRow(rowsAfter);
    ASSERT_NE(loopbackAfter, nullptr);
    const auto received = CounterDelta(loopbackBefore->dwInOctets, loopbackAfter->dwInOctets, CounterWidth::Bits32);
    const auto sent = CounterDelta(loopbackBefore->dwOutOctets, loopbackAfter->dwOutOctets, CounterWidth::Bits32);
    ASSERT_TRUE(received && sent);
    EXPECT_GE(*received, 200000);
    EXPECT_GE(*sent, 200000);
}

TEST(WindowsCounters, VersionIsTheKernelsOwn) {
    const PlatformVersion version = MakePlatformPorts().platformVersion->ReadPlatformVersion();
    EXPECT_EQ(version.family, PlatformFamily::Windows);
    EXPECT_GE(version.major, 6);
}

}  // namespace
}  // namespace quorell
