#include "platform/platform_ports.h"

#include "platform/system_files.h"
#include "platform/windows/autostart_windows.h"
#include "platform/windows/clock_windows.h"
#include "platform/windows/cpu_counters_windows.h"
#include "platform/windows/full_screen_windows.h"
#include "platform/windows/interface_table_windows.h"
#include "platform/windows/memory_status_windows.h"
#include "platform/windows/platform_version_windows.h"
#include "platform/windows/run_directory_windows.h"
#include "platform/windows/run_lock_windows.h"
#include "platform/windows/termination_windows.h"

namespace quorell {

PlatformPorts MakePlatformPorts() {
    PlatformPorts ports;
    ports.runDirectory = std::make_unique<WindowsRunDirectory>();
    ports.runLock = std::make_unique<WindowsRunLock>();
    ports.clock = std::make_unique<WindowsClock>();
    ports.cpuCounters = std::make_unique<WindowsCpuCounters>();
    ports.memoryStatus = std::make_unique<WindowsMemoryStatus>();
    ports.interfaceTable = std::make_unique<WindowsInterfaceTable>();
    ports.platformVersion = std::make_unique<WindowsPlatformVersion>();
    ports.termination = std::make_unique<WindowsTermination>();
    ports.files = MakeSystemFileAccess();
    ports.gbkCodec = MakeSystemGbkCodec();
    ports.autostart = std::make_unique<WindowsAutostart>(UserStartupFolder(), ExecutablePath());
    ports.fullScreen = std::make_unique<WindowsFullScreen>();
    return ports;
}

}  // namespace quorell
