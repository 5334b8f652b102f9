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
inline constexpr UINT kRunPostedMessage = WM_APP + 3;     // work handed over from another thread

// What the system and the program's other threads ask of the user-interface thread.
struct ProgramRequests {
    std::function<void()> end;         // WM_CLOSE (taskkill without /F)
    std::function<void()> endSession;  // logging off or shutting down: everything saved before it returns
    std::function<void()> runPosted;   // work handed over from another thread is waiting
};

// The program's hidden top-level window: the address of the tray icon's notifications, of the shell's
// "TaskbarCreated" broadcast (which a message-only window would not hear), of a later copy's request to
// show the main window, of the system's requests to end and of work handed over from other threads. Its
// class name and its title (made from the run directory once this copy records there) let a later copy
// find it.
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
    // A later start's request to show the main window; the handler returns whether it was shown. Until
    // one is set the request goes unanswered.
    void SetShowRequest(std::function<bool()> showMainWindow) { showMainWindow_ = std::move(showMainWindow); }
    // The title a later start looks for.
    void SetTitle(const std::wstring& title);
    void SetMessageHook(MessageHook hook) { hook_ = std::move(hook); }

private:
    friend class BaseWindow<ProgramWindow>;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    UINT showRequestMessage_;
    ProgramRequests requests_;
    std::function<bool()> showMainWindow_;
    MessageHook hook_;
};

}  // namespace quorell::gui
