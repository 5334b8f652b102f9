#pragma once

#include <array>
#include <string>

#include "app/settings_file.h"
#include "app/window_set.h"
#include "app/desktop_port.h"

namespace quorell {

// Where the four monitor windows sit across restarts, whether their graph background is see-through,
// and how they close (they only hide).
class MonitorPlacement {
public:
    MonitorPlacement(const WindowSet& windows, const SettingsFile& settings, DesktopPort& desktop)
        : windows_(windows), settings_(settings), desktop_(desktop) {}

    // The created handler of a monitor window: moves it to its stored place. The moves raise
    // position-changed while the window is not yet ready, so the restore itself stores nothing; the
    // window is ready afterwards. A stored place from which the window would show on no screen is
    // not applied: the window stays centred and the next store writes where it really is.
    void RestorePosition(WindowKind monitor);
    // The position-changed handler: stores both edges, left first, once the window is ready.
    void StorePosition(WindowKind monitor);
    bool PlacementReady(WindowKind monitor) const;

    // Applies the check box "选择_是否透明" to the four monitor windows and stores it.
    void OnTransparencyClicked();
    void SetMonitorTransparency(WindowKind monitor, bool enabled);

    // Close box, Esc and the double-click on the close mark: the window only hides.
    bool HideMonitor(WindowKind monitor);

    // The settings keys of a monitor window: "Cpu左边"/"Cpu顶边", "内存…", "接收…", "发送…".
    static std::string LeftKey(WindowKind monitor);
    static std::string TopKey(WindowKind monitor);

private:
    static std::size_t Slot(WindowKind monitor);

    const WindowSet& windows_;
    const SettingsFile& settings_;
    DesktopPort& desktop_;
    std::array<bool, 4> placementReady_{};
};

}  // namespace quorell
