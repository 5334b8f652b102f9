#pragma once

#include "app/desktop_port.h"
#include "platform/autostart_port.h"
#include "ui_model/menu.h"

namespace quorell {

inline constexpr const char* kAutostartTitle = "开机自动启动";
inline constexpr const char* kAutostartOnFailed = "无法设置开机自动启动:\r\n";
inline constexpr const char* kAutostartOffFailed = "无法取消开机自动启动:\r\n";

// The tray menu item that starts the program with the user's session. Its check mark is the session's
// own entry read again each time, never a remembered guess: the user may change the entry by hand or
// move the program. Without a port (a platform that has none) the item stays unchecked and does nothing.
class AutostartItem {
public:
    AutostartItem(MenuItem& item, AutostartPort* port, DesktopPort& desktop)
        : item_(item), port_(port), desktop_(desktop) {}

    // The menu is about to be shown: the mark says whether the session's entry starts this program.
    void ShowTruth();
    // The user chose the item: the entry is made or removed as the entry (not the mark) says; a failure
    // is shown in a message box, and the mark shows the truth either way.
    void Toggle();

private:
    MenuItem& item_;
    AutostartPort* port_;
    DesktopPort& desktop_;
};

}  // namespace quorell
