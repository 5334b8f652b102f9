#include "gui/win32/program_window.h"

#include "gui/win32/show_requests_win32.h"

namespace quorell::gui {

ProgramWindow::ProgramWindow(HINSTANCE instance, const std::wstring& title)
    : showRequestMessage_(ShowRequestMessage()) {
    if (!RegisterClassFor(instance, kProgramWindowClass)) {
        return;
    }
    // Top-level (so that broadcasts reach it), never shown; a tool window stays out of Alt+Tab regardless.
    if (Create(WS_EX_TOOLWINDOW, kProgramWindowClass, title.c_str(), WS_POPUP, RECT{}, nullptr, instance) == nullptr) {
        return;
    }
    // A later copy runs with the user's rights; a copy started with more rights still hears it.
    if (showRequestMessage_ != 0) {
        ::ChangeWindowMessageFilterEx(Handle(), showRequestMessage_, MSGFLT_ALLOW, nullptr);
    }
}

ProgramWindow::~ProgramWindow() {
    // Let go first: the hook's owner may have ended already.
    Destroy();
}

void ProgramWindow::SetTitle(const std::wstring& title) {
    if (Handle() != nullptr) {
        ::SetWindowTextW(Handle(), title.c_str());
    }
}

LRESULT ProgramWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (hook_) {
        if (const std::optional<LRESULT> result = hook_(message, wParam, lParam)) {
            return *result;
        }
    }
    if (message == showRequestMessage_ && showRequestMessage_ != 0) {
        // Until the run's windows exist the request goes unanswered, and the later copy asks again.
        return showMainWindow_ && showMainWindow_() ? kShowRequestAnswer : 0;
    }
    switch (message) {
        case WM_CLOSE:  // what taskkill without /F sends: end saved, never destroy the window here
            if (requests_.end) {
                requests_.end();
            }
            return 0;
        case kRunPostedMessage:
            if (requests_.runPosted) {
                requests_.runPosted();
            }
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // nothing to ask the user: the program saves and ends
        case WM_ENDSESSION:
            // The process may be ended as soon as this returns, so everything is saved before.
            if (wParam != FALSE && requests_.endSession) {
                requests_.endSession();
            }
            return 0;
        default:
            return ::DefWindowProcW(Handle(), message, wParam, lParam);
    }
}

}  // namespace quorell::gui
