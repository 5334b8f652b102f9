#include "platform/platform_ports.h"

#include <cstdlib>

#include "platform/linux/autostart_linux.h"
#include "platform/linux/clock_linux.h"
#include "platform/linux/cpu_counters_linux.h"
#include "platform/linux/full_screen_x11.h"
#include "platform/linux/interface_table_linux.h"
#include "platform/linux/memory_status_linux.h"
#include "platform/linux/platform_version_linux.h"
#include "platform/linux/run_directory_linux.h"
#include "platform/linux/run_lock_linux.h"
#include "platform/linux/show_requests_linux.h"
#include "platform/linux/termination_linux.h"
#include "platform/system_files.h"

namespace quorell {
namespace {
std::filesystem::path Environment(const char* name, const char* otherwise) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : otherwise;
}
}  // namespace

PlatformPorts MakePlatformPorts() {
    PlatformPorts ports;
    ports.runDirectory = std::make_unique<LinuxRunDirectory>();
    ports.runLock = std::make_unique<LinuxRunLock>();
    ports.clock = std::make_unique<LinuxClock>();
    ports.cpuCounters = std::make_unique<LinuxCpuCounters>();
    ports.memoryStatus = std::make_unique<LinuxMemoryStatus>();
    ports.interfaceTable = std::make_unique<LinuxInterfaceTable>();
    ports.platformVersion = std::make_unique<LinuxPlatformVersion>();
    ports.termination = std::make_unique<LinuxTermination>();
    ports.showRequests = std::make_unique<LinuxShowRequests>(Environment("XDG_RUNTIME_DIR", ""),
                                                             Environment("TMPDIR", "/tmp"));
    ports.files = MakeSystemFileAccess();
    ports.gbkCodec = MakeSystemGbkCodec();
    ports.autostart = std::make_unique<LinuxAutostart>(SessionAutostartFolders(), RunningProgram(), MakeSystemFileAccess());
    ports.fullScreen = std::make_unique<X11FullScreen>();
    return ports;
}

}  // namespace quorell
