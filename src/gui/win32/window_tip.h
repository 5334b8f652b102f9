#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "gui/win32/owned_handle.h"

namespace quorell::gui {

// The text shown while the pointer rests on a window: one tool for the window's surface and one for each
// child window, so the tip shows wherever on the window the pointer is. Made when the first text comes.
class WindowTip {
public:
    explicit WindowTip(HWND owner) : owner_(owner) {}

    // `font`: the window's own text font, so the tip shows the Chinese texts whatever the system's tip font.
    void Show(std::string_view text, const std::vector<HWND>& children, HFONT font);
    // The pointer moving over a part of the surface that acts as a title bar (the system sends no
    // client-area moves there).
    void RelayNonClientMove(LPARAM screenPoint);

private:
    HWND owner_;
    OwnedWindow tip_;
};

}  // namespace quorell::gui
