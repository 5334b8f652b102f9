#include "platform/windows/full_screen_windows.h"

#include <windows.h>
// After <windows.h>, whose types it uses.
#include <shellapi.h>

#include <cwchar>
#include <iterator>

namespace quorell {

namespace {

bool OfThisProcess(HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId();
}

// The desktop and the task bar cover the screen (or touch its edges) without being a program's window.
bool PartOfTheShell(HWND window) {
    if (window == ::GetShellWindow() || window == ::GetDesktopWindow()) {
        return true;
    }
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    for (const wchar_t* shell : {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"}) {
        if (std::wcscmp(name, shell) == 0) {
            return true;
        }
    }
    return false;
}

bool ShellReportsFullScreen() {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(::SHQueryUserNotificationState(&state))) {
        return false;
    }
    return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
}

bool CoversItsMonitor(HWND window) {
    if (!::IsWindowVisible(window) || ::IsIconic(window)) {
        return false;
    }
    // A maximised window with a title bar is the user's work, not a full-screen program, even where a task
    // bar that hides itself lets it reach the screen's edges.
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
    if (::IsZoomed(window) && (style & WS_CAPTION) == WS_CAPTION) {
        return false;
    }
    RECT area{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    const HMONITOR screen = ::MonitorFromWindow(window, MONITOR_DEFAULTTONULL);
    if (screen == nullptr || !::GetMonitorInfoW(screen, &monitor) || !::GetWindowRect(window, &area)) {
        return false;
    }
    const RECT& whole = monitor.rcMonitor;
    return area.left <= whole.left && area.top <= whole.top && area.right >= whole.right && area.bottom >= whole.bottom;
}

}  // namespace

bool WindowsFullScreen::OtherProgramFullScreen() {
    const HWND foreground = ::GetForegroundWindow();
    if (foreground != nullptr && (OfThisProcess(foreground) || PartOfTheShell(foreground))) {
        return false;
    }
    return ShellReportsFullScreen() || (foreground != nullptr && CoversItsMonitor(foreground));
}

}  // namespace quorell
