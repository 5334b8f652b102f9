// Another program's window that covers the whole primary monitor, as a video player in full screen does, for
// the desktop checks of the Windows program. It takes the foreground and ends by itself after SECONDS.
// Usage: quorell_full_screen_window SECONDS
#include <windows.h>

#include <cstdlib>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER || message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = L"QuorellFullScreenProbe";
    ::RegisterClassW(&windowClass);
    const HWND window =
        ::CreateWindowExW(0, windowClass.lpszClassName, L"QuorellFullScreenProbe", WS_POPUP | WS_VISIBLE, 0, 0,
                          ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                          windowClass.hInstance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ::SetForegroundWindow(window);
    ::SetTimer(window, 1, static_cast<UINT>(seconds) * 1000u, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return 0;
}
