#pragma once

#include "platform/full_screen_port.h"

namespace quorell {

// Full-screen programs on Windows: the shell's own account (a full-screen program in the foreground, a
// Direct3D program in exclusive full screen, presentation mode), or else the foreground window's rectangle
// covering its whole monitor. A window of this process, a minimised one, the desktop and the task bar never
// count.
class WindowsFullScreen final : public FullScreenPort {
public:
    bool OtherProgramFullScreen() override;
};

}  // namespace quorell
