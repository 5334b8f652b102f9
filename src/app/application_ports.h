#pragma once

#include "platform/autostart_port.h"
#include "platform/clock_port.h"
#include "platform/counter_ports.h"
#include "platform/full_screen_port.h"
#include "app/desktop_port.h"
#include "platform/run_directory_port.h"
#include "runtime/ini_store.h"

namespace quorell {

// Everything outside the core that a run needs. Each object must outlive the application.
struct ApplicationPorts {
    const RunDirectoryPort& runDirectory;
    DesktopPort& desktop;
    const ClockPort& clock;
    CpuCounterPort& cpuCounters;
    MemoryStatusPort& memoryStatus;
    InterfaceTablePort& interfaceTable;
    const PlatformVersionPort& platformVersion;
    // Every INI file of the run (settings and history) is read and written through this one store.
    IniStore& iniStore;
    // The session's autostart entry; null where the platform has none.
    AutostartPort* autostart = nullptr;
    // Whether another program fills a screen, for the monitors to step aside; none: they never do.
    FullScreenPort* fullScreen = nullptr;
};

}  // namespace quorell
