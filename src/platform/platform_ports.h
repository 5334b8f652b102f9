#pragma once

#include <memory>

#include "platform/autostart_port.h"
#include "platform/clock_port.h"
#include "platform/counter_ports.h"
#include "platform/full_screen_port.h"
#include "platform/run_directory_port.h"
#include "platform/run_lock_port.h"
#include "platform/show_request_port.h"
#include "platform/termination_port.h"
#include "runtime/file_access.h"
#include "runtime/text_codec.h"

namespace quorell {

// Every port that the operating system provides. Each build compiles exactly one back end, and that back
// end's MakePlatformPorts makes them all, so `main` knows no OS.
struct PlatformPorts {
    std::unique_ptr<RunDirectoryPort> runDirectory;
    std::unique_ptr<RunLockPort> runLock;
    std::unique_ptr<ClockPort> clock;
    std::unique_ptr<CpuCounterPort> cpuCounters;
    std::unique_ptr<MemoryStatusPort> memoryStatus;
    std::unique_ptr<InterfaceTablePort> interfaceTable;
    std::unique_ptr<PlatformVersionPort> platformVersion;
    std::unique_ptr<TerminationPort> termination;
    // Null where the front end carries a later start's request itself (the Win32 program's hidden window).
    std::unique_ptr<ShowRequestPort> showRequests;
    std::unique_ptr<FileAccess> files;
    std::unique_ptr<GbkCodec> gbkCodec;
    // The session's autostart entry of this program.
    std::unique_ptr<AutostartPort> autostart;
    std::unique_ptr<FullScreenPort> fullScreen;
};

PlatformPorts MakePlatformPorts();

}  // namespace quorell
