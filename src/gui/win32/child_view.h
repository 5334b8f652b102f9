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

// The view behind a window made with RegisterClassOnce's classes (kept in the window's user data).
// AttachView keeps the view in its window at WM_NCCREATE (the creation parameter Make passes).
void AttachView(HWND window, ChildView* view);
template <typename View>
View* ViewOf(HWND window) {
    return static_cast<View*>(reinterpret_cast<ChildView*>(::GetWindowLongPtrW(window, GWLP_USERDATA)));
}

}  // namespace quorell::gui
