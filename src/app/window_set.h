#pragma once

#include <array>
#include <memory>
#include <vector>

#include "app/desktop_port.h"
#include "ui_model/window.h"

namespace quorell {

inline constexpr std::array<WindowKind, 4> kMonitorKinds = {WindowKind::CpuMonitor, WindowKind::MemoryMonitor,
                                                            WindowKind::ReceiveMonitor, WindowKind::SendMonitor};

// The seven windows of a run, built from their designs. They live from start-up to exit.
class WindowSet {
public:
    // Builds every window from its design, each centred on the primary screen.
    explicit WindowSet(const std::vector<ScreenRect>& screens);

    Window& Get(WindowKind kind) const;
    Window& Main() const { return Get(WindowKind::Main); }

private:
    std::array<std::unique_ptr<Window>, kWindowKindCount> windows_;
};

// The top-left corner that centres a window of `size` on the first (primary) screen; (0, 0) without screens.
Point CentredOn(const std::vector<ScreenRect>& screens, Size size);
// Whether a window with these bounds shows at least one pixel on some screen. Without any known screen
// nothing can be judged, and every place counts as visible.
bool VisibleOnSomeScreen(const std::vector<ScreenRect>& screens, const Rect& bounds);

}  // namespace quorell
