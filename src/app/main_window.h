#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/monitor_placement.h"
#include "app/recording_status.h"
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
inline constexpr std::size_t kAlertsItem = 11;  // opens the alert settings; not a toggle
inline constexpr std::size_t kExitItem = 13;

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

    // The main window's created handler: watched interface, the other six windows (hidden, in the order
    // CPU, memory, receive, send, trend, alert settings), the tray icon, then the two settings.
    void MainWindowCreated();
    void InstallTrayIcon();
    void RemoveTrayIcon();
    // Whether the icon is in a tray now. Without one, the main window stands in for it.
    bool TrayIconInstalled() const { return trayInstalled_; }
    // Asked every second: a tray host that came up takes the icon (closing hides again); one that went
    // away leaves the main window shown, the only way in.
    void FollowTrayHost();

    // Buttons and menu items: flips the window's visibility. Its menu item's caption follows on its own.
    void ToggleWindow(WindowKind window);
    // A left click: nothing; a double-click: toggles the main window; a right click: the menu.
    void OnTrayEvent(TrayClick click);
    // Close box or Esc on the main window: hides it (without a tray, minimizes it, so that it stays on the
    // task bar) and opens our web page; the window stays.
    bool OnMainWindowClose();
    // A right click on the main window: without a tray, the tray menu.
    void OnMainWindowRightClick();

    // Shows what `status` reports about recording from now on: a stop once as the tray's notification (or,
    // without a tray, in the main window's title), its short line in the tray tip until recording goes on.
    void WatchRecording(RecordingStatus* status) { recording_ = status; }
    void OnRecordingChanged();

    // An alert (an allowance nearly used up, a value staying high): with a tray, the tray's notification,
    // seen once; without one, the main window's title carries `line` until the next alert (a recording
    // stop goes before it).
    void ShowAlert(const std::string& title, const std::string& text, const std::string& line);
    // What an alert's `line` said is over (a value back at or below its line): the title no longer
    // carries it, unless a later alert has taken its place.
    void WithdrawAlert(const std::string& line);
    // Refreshes the tray tip, after something it shows has changed.
    void RefreshTrayTip();
    // The tip's line on the allowance period (empty: none); the tip changes only when the line does.
    void ShowAllowanceLine(const std::string& line);

private:
    // Whatever shows or hides a window, its menu item then offers the opposite: "隐藏 …" while it is
    // shown, "显示 …" while it is hidden.
    void FollowVisibilityInCaptions();
    void PutTrayIcon();
    void PopUpTrayMenu();
    void ShowRecordingNotice();
    void ShowStatusInTitle();
    std::string StatusLine() const;

    const WindowSet& windows_;
    const SettingsFile& settings_;
    DesktopPort& desktop_;
    MonitorPlacement& placement_;
    std::function<void()> selectMonitoredRow_;
    bool trayWanted_ = false;     // installed and not removed since
    bool trayInstalled_ = false;  // and in a tray now
    RecordingStatus* recording_ = nullptr;
    std::optional<std::string> plainTitle_;  // the main window's own title
    std::string alertLine_;                  // the last alert's line, for the title without a tray
    std::string allowanceLine_;              // the tip's line on the allowance period
    std::vector<Subscription> captionFollowers_;
};

// The caption pair of a toggling menu item: what it reads while its window is hidden, and while shown.
struct CaptionPair {
    const char* show;
    const char* hide;
};
CaptionPair CaptionsOf(std::size_t item);

}  // namespace quorell
