#pragma once

#include <windows.h>

#include <optional>

#include "gui/win32/view_look.h"
#include "ui_model/control.h"
#include "ui_model/window.h"

namespace quorell::gui {

// Where a child window goes: the surface window that holds it and that surface's top-left in the window's
// client area (design pixels).
struct ChildPlace {
    HWND parent = nullptr;
    Point origin;
};

// A control shown as a child window of its own (buttons, the check box, the edit box, the tab control,
// the graph, the charts). Its window is destroyed with the top-level window; the view outlives it.
class ChildView {
public:
    ChildView(const Window& window, Control& control, ViewLook& look, ChildPlace place);
    virtual ~ChildView() = default;
    ChildView(const ChildView&) = delete;
    ChildView& operator=(const ChildView&) = delete;

    HWND Hwnd() const { return hwnd_; }
    const Control& Model() const { return control_; }

    // Places the window and gives it the font again, after the DPI changed.
    virtual void Relayout();
    // WM_COMMAND and WM_NOTIFY from the child window, passed on by the window that receives them.
    virtual void Command(WORD /*code*/) {}
    virtual std::optional<LRESULT> Notify(const NMHDR& /*header*/) { return std::nullopt; }
    // WM_CTLCOLOR* answers: the brush behind the control's text; nothing for the default.
    virtual std::optional<HBRUSH> Colours(HDC /*dc*/) { return std::nullopt; }

protected:
    // Makes the child window at the control's place.
    HWND Make(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle = 0);
    RECT Place() const;
    const Window& ModelWindow() const { return window_; }
    ViewLook& Look() const { return look_; }
    const ChildPlace& Where() const { return place_; }

private:
    const Window& window_;
    Control& control_;
    ViewLook& look_;
    ChildPlace place_;
    HWND hwnd_ = nullptr;
};

// Registers a window class of this program once per run.
void RegisterClassOnce(const wchar_t* name, WNDPROC procedure, UINT style);

// The view behind a window made with RegisterClassOnce's classes, for its window procedure: kept in the
// window's user data from WM_NCCREATE (the creation parameter Make passes) until WM_NCDESTROY, for which
// it is still returned; null before and after.
ChildView* TrackView(HWND window, UINT message, LPARAM lParam);
template <typename View>
View* TrackedView(HWND window, UINT message, LPARAM lParam) {
    return static_cast<View*>(TrackView(window, message, lParam));
}

}  // namespace quorell::gui
