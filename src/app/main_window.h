#pragma once

#include <cstddef>
#include <functional>

#include "app/monitor_placement.h"
#include "app/settings_file.h"
#include "app/window_set.h"
#include "app/desktop_port.h"
#include "ui_model/control_names.h"

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
          selectMonitoredRow_(std::move(selectMonitoredRow)) {}

    // The main window's created handler: watched interface, the other five windows (hidden, in the order
    // CPU, memory, receive, send, trend), the tray icon, then the two settings.
    void MainWindowCreated();
    void InstallTrayIcon();
    void RemoveTrayIcon();
    bool TrayIconInstalled() const { return trayInstalled_; }

    // Buttons: flips the window's visibility; no menu caption changes.
    void ToggleWindow(WindowKind window);
    // Menu items: sets the item's caption to the action its next selection will take, then flips.
    void ToggleWindowWithCaption(WindowKind window, std::size_t item);
    // A left click: nothing; a double-click: toggles the main window; a right click: the menu.
    void OnTrayEvent(TrayClick click);
    // Close box or Esc on the main window: hides it and opens our web page; the window stays.
    bool OnMainWindowClose();

private:
    const WindowSet& windows_;
    const SettingsFile& settings_;
    DesktopPort& desktop_;
    MonitorPlacement& placement_;
    std::function<void()> selectMonitoredRow_;
    bool trayInstalled_ = false;
};

// The caption pair of a toggling menu item: what it reads while its window is hidden, and while shown.
struct CaptionPair {
    const char* show;
    const char* hide;
};
CaptionPair CaptionsOf(std::size_t item);

}  // namespace quorell
