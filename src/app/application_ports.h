#pragma once

#include "platform/clock_port.h"
#include "platform/counter_ports.h"
#include "platform/desktop_port.h"
#include "platform/environment_port.h"
#include "platform/run_directory_port.h"

namespace quorell {

// Everything outside the core that a run needs. Each object must outlive the application.
struct ApplicationPorts {
    const RunDirectoryPort& runDirectory;
    DesktopPort& desktop;
    const ClockPort& clock;
    const EnvironmentPort& environment;
    CpuCounterPort& cpuCounters;
    MemoryStatusPort& memoryStatus;
    InterfaceTablePort& interfaceTable;
    const PlatformVersionPort& platformVersion;
};

}  // namespace quorell
