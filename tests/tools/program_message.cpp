// Posts to the running program's hidden window what the shell or another program would post there, for the
// desktop checks of the Windows program: the tray icon's right click (the shell's notification, which opens
// the tray menu) or WM_CLOSE (what taskkill without /F posts). A posted message reaches the program even while
// it runs a modal loop of the system and the mouse is held down elsewhere, where a real click could not.
// Exit code 1 when no such window is found within five seconds or the message cannot be posted.
// Usage: quorell_program_message tray-right-click|close
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/main_window.h"
#include "gui/win32/program_window.h"
#include "gui/win32/show_requests_win32.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: quorell_program_message tray-right-click|close\n", stderr);
        return 2;
    }
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    if (std::strcmp(argv[1], "tray-right-click") == 0) {
        // As the shell notifies: the icon's identifier, the mouse message in the low word.
        message = quorell::gui::kTrayCallbackMessage;
        wParam = static_cast<WPARAM>(quorell::kTrayIconId);
        lParam = WM_RBUTTONUP;
    } else if (std::strcmp(argv[1], "close") == 0) {
        message = WM_CLOSE;
    } else {
        std::fprintf(stderr, "quorell_program_message: unknown message %s\n", argv[1]);
        return 2;
    }
    for (int tries = 0; tries < 50; ++tries) {
        if (const HWND program = ::FindWindowW(quorell::gui::kProgramWindowClass, nullptr)) {
            if (::PostMessageW(program, message, wParam, lParam)) {
                return 0;
            }
            std::fprintf(stderr, "quorell_program_message: posting failed (%lu)\n", ::GetLastError());
            return 1;
        }
        ::Sleep(100);
    }
    std::fputs("quorell_program_message: no Quorell program window\n", stderr);
    return 1;
}
