#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "app/layouts/layouts.h"
#include "monitors/cpu_monitor.h"
#include "monitors/memory_monitor.h"
#include "monitors/monitor_rig.h"
#include "monitors/network_monitor.h"
#include "sampling/cpu_sampler.h"
#include "sampling/memory_sampler.h"
#include "sampling/network_sampler.h"

namespace quorell {
namespace {

// The monitors find every control they drive in the real window designs (a missing name throws), and
// refuse a window that lacks them.
TEST(MonitorLayouts, EveryMonitorFindsItsControlsInItsRealWindow) {
    testing::FakeClock clock;
    FakeCpuCounters cpuCounters;
    FakeMemoryStatus memoryStatus;
    FakeInterfaceTable table;
    FakePlatformVersion version;
    CpuSampler cpuSampler(cpuCounters);
    MemorySampler memorySampler(memoryStatus);
    NetworkSampler networkSampler(table, version);
    auto bandwidth = [] { return std::string("2"); };
    Window cpuWindow(CpuMonitorLayout());
    Window memoryWindow(MemoryMonitorLayout());
    Window receiveWindow(ReceiveMonitorLayout());
    Window sendWindow(SendMonitorLayout());
    EXPECT_NO_THROW(CpuMonitor(cpuWindow, cpuSampler, clock, "Cpu.FDB"));
    EXPECT_NO_THROW(MemoryMonitor(memoryWindow, memorySampler, clock, "内存.FDB"));
    EXPECT_NO_THROW(NetworkMonitor(receiveWindow, Direction::Receive, networkSampler, bandwidth, clock, "接收.FDB"));
    EXPECT_NO_THROW(NetworkMonitor(sendWindow, Direction::Send, networkSampler, bandwidth, clock, "发送.FDB"));
    EXPECT_THROW(MemoryMonitor(cpuWindow, memorySampler, clock, "内存.FDB"), std::out_of_range);
}

}  // namespace
}  // namespace quorell
