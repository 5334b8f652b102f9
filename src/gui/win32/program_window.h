#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "gui/win32/base_window.h"

namespace quorell::gui {

// Messages the program posts to its own hidden window.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;  // the shell's notifications of the tray icon
inline constexpr UINT kTrayEventMessage = WM_APP + 2;     // a tray event, handled after the notification
inline constexpr UINT kEndRequestMessage = WM_APP + 3;    // the console's Ctrl+C or close, from its thread

// What the system and a later copy of the program ask of this one.
struct ProgramRequests {
    std::function<void()> showMainWindow;  // a later start in the same run directory
    std::function<void()> end;             // WM_CLOSE (taskkill without /F), Ctrl+C, the console closing
    std::function<void()> endSession;      // logging off or shutting down: everything saved before it returns
};

// The program's hidden top-level window: the address of the tray icon's notifications, of the shell's
// "TaskbarCreated" broadcast (which a message-only window would not hear), of a later copy's request to
// show the main window and of the system's requests to end. Its class name and its title (made from
// the run directory) let a later copy find it.
class ProgramWindow : public BaseWindow<ProgramWindow> {
public:
    // A hook sees every message first; a value ends the message with that result.
    using MessageHook = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;

    ProgramWindow(HINSTANCE instance, const std::wstring& title);
    ~ProgramWindow();
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    // Handle() is null when the window could not be made.

    void SetRequests(ProgramRequests requests) { requests_ = std::move(requests); }
    void SetMessageHook(MessageHook hook) { hook_ = std::move(hook); }

private:
    friend class BaseWindow<ProgramWindow>;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    UINT showRequestMessage_;
    ProgramRequests requests_;
    MessageHook hook_;
};

}  // namespace quorell::gui
