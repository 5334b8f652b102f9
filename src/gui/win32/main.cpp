// Quorell: a small desktop monitor of CPU usage, memory load and network traffic.
#include <windows.h>

#include "app/program.h"
#include "gui/win32/win32_front_end.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    quorell::gui::Win32FrontEnd frontEnd(instance);
    return quorell::RunProgram(frontEnd);
}
