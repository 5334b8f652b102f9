#pragma once

#include <chrono>

#include "app/program_front_end.h"
#include "platform/platform_ports.h"

namespace quorell {

// How long a later start waits for the recording copy to show its window; that copy may still be starting.
inline constexpr std::chrono::milliseconds kShowRequestWait{5000};

// The program's life from start to end on a front end: one copy records into a run directory (the one
// that holds its lock; a later start asks it to show its main window and ends), the store with its save
// policy, the application, the system's requests to end, the final save. Returns the process's exit code.
int RunProgram(ProgramFrontEnd& frontEnd);

// The same on the given ports (a test's).
int RunProgram(ProgramFrontEnd& frontEnd, PlatformPorts platform);

}  // namespace quorell
