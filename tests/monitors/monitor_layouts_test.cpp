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

#include "runtime/ini_store.h"
#include "support/system_ini_store.h"

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
    testing::SystemIniStore store;
    const IniFile file(store, "never-written.FDB");
    Window cpuWindow(CpuMonitorLayout());
    Window memoryWindow(MemoryMonitorLayout());
    Window receiveWindow(ReceiveMonitorLayout());
    Window sendWindow(SendMonitorLayout());
    EXPECT_NO_THROW(CpuMonitor(cpuWindow, cpuSampler, clock, file));
    EXPECT_NO_THROW(MemoryMonitor(memoryWindow, memorySampler, clock, file));
    EXPECT_NO_THROW(NetworkMonitor(receiveWindow, Direction::Receive, networkSampler, bandwidth, clock, file));
    EXPECT_NO_THROW(NetworkMonitor(sendWindow, Direction::Send, networkSampler, bandwidth, clock, file));
    EXPECT_THROW(MemoryMonitor(cpuWindow, memorySampler, clock, file), std::out_of_range);
}

}  // namespace
}  // namespace quorell
