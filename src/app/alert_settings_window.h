#pragma once

#include <functional>

#include "app/alert_settings.h"
#include "app/desktop_port.h"
#include "app/settings_file.h"
#include "ui_model/window.h"

namespace quorell {

inline constexpr const char* kAlertsWindowTitle = "提醒设置";
inline constexpr const char* kAlertsNotSaved = "提醒设置未能保存: 设置文件无法写入,请稍后再按确定。";

// The alert settings window "提醒设置": shows the stored settings, and stores what the user typed only when
// every field is good. Nothing is stored until "确定"; "取消", the close box and Esc drop what was typed.
class AlertSettingsWindow {
public:
    // `onStored` runs after new settings were stored, so that the alerts follow them at once.
    AlertSettingsWindow(Window& window, const SettingsFile& settings, DesktopPort& desktop,
                        std::function<void()> onStored)
        : window_(window), settings_(settings), desktop_(desktop), onStored_(std::move(onStored)) {}

    // The tray menu's item: a hidden window is filled from the settings file and shown; a shown one keeps
    // what the user is typing. Either way it comes to the front.
    void Open();
    // "确定": refuses the first bad field in a message box, keeping the window and its texts; else stores
    // the settings and hides the window. A store that fails is said too, and the window stays open.
    void Confirm();
    // "取消", the close box, Esc: hides the window, storing nothing. The window stays for the next time.
    bool Dismiss();

private:
    void Fill(const AlertSettings& alerts);
    AlertFieldTexts Typed() const;

    Window& window_;
    const SettingsFile& settings_;
    DesktopPort& desktop_;
    std::function<void()> onStored_;
};

}  // namespace quorell
