#include <gtest/gtest.h>

#include "app/layouts/layouts.h"
#include "history/history_files.h"
#include "monitors/cpu_monitor.h"
#include "monitors/memory_monitor.h"
#include "monitors/monitor_rig.h"
#include "monitors/network_monitor.h"
#include "sampling/cpu_sampler.h"
#include "sampling/memory_sampler.h"
#include "sampling/network_sampler.h"

namespace quorell {
namespace {

using testing::LabelText;

// The monitors find every control they drive in the real window designs, starting from the
// designs' creation texts, and their panels have the size the graph expects.
TEST(MonitorLayouts, EveryMonitorDrivesItsRealWindow) {
    testing::TempDir directory;
    const HistoryFiles files = HistoryFilesIn(directory.Path());
    testing::FakeClock clock;
    FakeCpuCounters cpuCounters;
    FakeEnvironment environment;
    FakeMemoryStatus memoryStatus;
    FakeInterfaceTable table;
    FakePlatformVersion version;
    table.SetRowCount(2);
    testing::SetMemory(memoryStatus, 45, 1500);

    CpuSampler cpuSampler(cpuCounters, environment);
    MemorySampler memorySampler(memoryStatus);
    NetworkSampler networkSampler(table, version);
    networkSampler.SelectMonitoredRow();

    Window cpuWindow(CpuMonitorLayout());
    Window memoryWindow(MemoryMonitorLayout());
    Window receiveWindow(ReceiveMonitorLayout());
    Window sendWindow(SendMonitorLayout());
    CpuMonitor cpu(cpuWindow, cpuSampler, clock, files.cpu);
    MemoryMonitor memory(memoryWindow, memorySampler, clock, files.memory);
    auto bandwidth = [] { return std::string("2"); };
    NetworkMonitor receive(receiveWindow, Direction::Receive, networkSampler, bandwidth, clock, files.receive);
    NetworkMonitor send(sendWindow, Direction::Send, networkSampler, bandwidth, clock, files.send);
    receive.OnWindowCreated();
    send.OnWindowCreated();

    EXPECT_EQ(cpuWindow.DrawPanel("画板_Cpu").Canvas().OuterHeight(), 102);
    EXPECT_EQ(LabelText(cpuWindow, "显示_最高Cpu使用率"), "0%");
    EXPECT_EQ(LabelText(memoryWindow, "显示_最高内存"), "0M");
    EXPECT_EQ(LabelText(receiveWindow, "显示_平均流量"), "0K");
    EXPECT_EQ(LabelText(sendWindow, "显示_最高时间"), "0:0:0");

    testing::AdvanceCpuSecond(cpuCounters, 12);
    table.rows[1].dwOutOctets += 64 * 1280;
    cpu.OnCpuTick();
    memory.OnMemoryTick();
    receive.OnNetworkTick();
    send.OnNetworkTick();
    EXPECT_EQ(LabelText(cpuWindow, "显示_当前Cpu使用率"), "12 %");
    EXPECT_EQ(LabelText(memoryWindow, "显示_当前内存"), "1500M");
    EXPECT_EQ(LabelText(receiveWindow, "显示_当前流量"), "0K");
    EXPECT_EQ(LabelText(sendWindow, "显示_当前流量"), "64K");
}

TEST(MonitorLayouts, AWindowWithoutTheNamedControlsIsRefusedAtConstruction) {
    testing::FakeClock clock;
    FakeMemoryStatus memoryStatus;
    MemorySampler sampler(memoryStatus);
    Window cpuWindow(CpuMonitorLayout());
    EXPECT_THROW(MemoryMonitor(cpuWindow, sampler, clock, "内存.FDB"), std::out_of_range);
}

}  // namespace
}  // namespace quorell
