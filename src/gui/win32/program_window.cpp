#include "gui/win32/program_window.h"

#include "gui/win32/show_requests_win32.h"

namespace quorell::gui {

namespace {

bool RegisterProgramWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kProgramWindowClass;
    return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

ProgramWindow::ProgramWindow(HINSTANCE instance, const std::wstring& title)
    : showRequestMessage_(ShowRequestMessage()) {
    if (!RegisterProgramWindowClass(instance, &ProgramWindow::Procedure)) {
        return;
    }
    // Top-level (so that broadcasts reach it), never shown; a tool window stays out of Alt+Tab regardless.
    hwnd_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kProgramWindowClass, title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, instance, this);
    if (hwnd_ == nullptr) {
        return;
    }
    // A later copy runs with the user's rights; a copy started with more rights still hears it.
    if (showRequestMessage_ != 0) {
        ::ChangeWindowMessageFilterEx(hwnd_, showRequestMessage_, MSGFLT_ALLOW, nullptr);
    }
}

ProgramWindow::~ProgramWindow() {
    if (hwnd_ != nullptr) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
}

void ProgramWindow::SetTitle(const std::wstring& title) {
    if (hwnd_ != nullptr) {
        ::SetWindowTextW(hwnd_, title.c_str());
    }
}

LRESULT CALLBACK ProgramWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<ProgramWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->OnMessage(hwnd, message, wParam, lParam);
}

LRESULT ProgramWindow::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
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
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace quorell::gui
