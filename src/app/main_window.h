#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "app/monitor_placement.h"
#include "app/settings_file.h"
#include "app/window_set.h"
#include "app/desktop_port.h"
#include "ui_model/control_names.h"
#include "ui_model/signal.h"

namespace quorell {

inline constexpr int kTrayIconId = 100;
inline constexpr std::string_view kTrayMenuName = names::kTrayMenu;

// Tray menu positions of the toggling items.
inline constexpr std::size_t kMainItem = 1;
inline constexpr std::size_t kCpuItem = 3;
inline constexpr std::size_t kMemoryItem = 4;
inline constexpr std::size_t kReceiveItem = 5;
inline constexpr std::size_t kSendItem = 6;
inline constexpr std::size_t kTrendItem = 8;
inline constexpr std::size_t kAutostartItem = 9;
inline constexpr std::size_t kFullScreenItem = 10;
inline constexpr std::size_t kExitItem = 12;

// Each toggling item of the tray menu and the window it shows and hides.
inline constexpr std::array<std::pair<std::size_t, WindowKind>, 6> kWindowItems = {{{kMainItem, WindowKind::Main},
                                                                                    {kCpuItem, WindowKind::CpuMonitor},
                                                                                    {kMemoryItem, WindowKind::MemoryMonitor},
                                                                                    {kReceiveItem, WindowKind::ReceiveMonitor},
                                                                                    {kSendItem, WindowKind::SendMonitor},
                                                                                    {kTrendItem, WindowKind::Trend}}};

// The main window as control panel, the tray icon and its menu.
class MainWindowLogic {
public:
    // `selectMonitoredRow` chooses the watched network interface before the network windows exist.
    MainWindowLogic(const WindowSet& windows, const SettingsFile& settings, DesktopPort& desktop,
                    MonitorPlacement& placement, std::function<void()> selectMonitoredRow)
        : windows_(windows),
          settings_(settings),
          desktop_(desktop),
          placement_(placement),
          selectMonitoredRow_(std::move(selectMonitoredRow)) {
        FollowVisibilityInCaptions();
    }

    // The main window's created handler: watched interface, the other five windows (hidden, in the order
    // CPU, memory, receive, send, trend), the tray icon, then the two settings.
    void MainWindowCreated();
    void InstallTrayIcon();
    void RemoveTrayIcon();
    bool TrayIconInstalled() const { return trayInstalled_; }

    // Buttons and menu items: flips the window's visibility. Its menu item's caption follows on its own.
    void ToggleWindow(WindowKind window);
    // A left click: nothing; a double-click: toggles the main window; a right click: the menu.
    void OnTrayEvent(TrayClick click);
    // Close box or Esc on the main window: hides it and opens our web page; the window stays.
    bool OnMainWindowClose();

private:
    // Whatever shows or hides a window, its menu item then offers the opposite: "隐藏 …" while it is
    // shown, "显示 …" while it is hidden.
    void FollowVisibilityInCaptions();

    const WindowSet& windows_;
    const SettingsFile& settings_;
    DesktopPort& desktop_;
    MonitorPlacement& placement_;
    std::function<void()> selectMonitoredRow_;
    bool trayInstalled_ = false;
    std::vector<Subscription> captionFollowers_;
};

// The caption pair of a toggling menu item: what it reads while its window is hidden, and while shown.
struct CaptionPair {
    const char* show;
    const char* hide;
};
CaptionPair CaptionsOf(std::size_t item);

}  // namespace quorell
