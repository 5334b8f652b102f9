#pragma once

#include <windows.h>

#include <optional>

#include "gui/win32/base_window.h"
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
// the graph, the charts). Its window is destroyed with the top-level window; the view outlives it. A view
// of a class of this program draws it: its class is registered with RegisterClassFor, and its messages
// come to OnMessage.
class ChildView : public BaseWindow<ChildView> {
public:
    ChildView(const Window& window, Control& control, ViewLook& look, ChildPlace place);
    virtual ~ChildView() = default;

    HWND Hwnd() const { return Handle(); }
    const Control& Model() const { return control_; }

    // Places the window and gives it the font again, after the DPI changed.
    virtual void Relayout();
    // WM_COMMAND and WM_NOTIFY from the child window, passed on by the window that receives them.
    virtual void Command(WORD /*code*/) {}
    virtual std::optional<LRESULT> Notify(const NMHDR& /*header*/) { return std::nullopt; }
    // WM_CTLCOLOR* answers: the brush behind the control's text; nothing for the default.
    virtual std::optional<HBRUSH> Colours(HDC /*dc*/) { return std::nullopt; }

protected:
    // The messages of a window of this program's classes.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
    // Makes the child window at the control's place.
    HWND Make(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle = 0);
    RECT Place() const;
    const Window& ModelWindow() const { return window_; }
    ViewLook& Look() const { return look_; }
    const ChildPlace& Where() const { return place_; }

private:
    friend class BaseWindow<ChildView>;

    const Window& window_;
    Control& control_;
    ViewLook& look_;
    ChildPlace place_;
};

}  // namespace quorell::gui
