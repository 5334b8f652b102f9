#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/win32/base_window.h"
#include "gui/win32/child_view.h"
#include "gui/win32/static_layer.h"
#include "gui/win32/view_context.h"
#include "gui/win32/view_look.h"
#include "ui_model/window.h"

namespace quorell::gui {

class DrawPanelView;
class WindowTip;

// A top-level window that mirrors one model window: style from its flags, title, icon, tooltip, size,
// position, visibility and state, with its static controls drawn on its surface and a child window for
// every other control. User input becomes the model's events: the close box asks the model, Esc too, a
// move that the view did not make is the user's, the timers tick the model from the window's creation on.
// A drag-anywhere window is moved by its surface and static controls as by a title bar.
class WindowView : public BaseWindow<WindowView> {
public:
    WindowView(Window& model, ViewContext& context);
    ~WindowView();

    Window& Model() const { return model_; }
    // Esc from the window or any of its controls; true when consumed.
    bool PreTranslate(const MSG& message);

    // The child window of a control; nullptr for static controls, timers and menus.
    HWND ChildOf(std::string_view name) const;
    // The graph's view, if the window has one.
    const DrawPanelView* Panel() const { return panel_; }

private:
    friend class BaseWindow<WindowView>;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void BuildControls();
    void Apply(const WindowChange& change);
    void ApplyPosition();
    void ApplyVisibility();
    void ApplyState();
    void ApplyToolTip(std::string_view text);
    SIZE OuterSize() const;
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnUserMove();
    LRESULT NonClientHit(LPARAM screenPoint);
    // Whether a context-menu request's screen point is in the client area; the menu key's is.
    bool InClientArea(LPARAM screenPoint) const;
    bool DoubleClickCloseMark(LPARAM screenPoint);
    Point DesignPoint(LPARAM screenPoint) const;
    ChildView* ChildByHandle(HWND child) const;

    Window& model_;
    ViewContext& context_;
    std::unique_ptr<ViewLook> look_;
    std::unique_ptr<WindowTip> tip_;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    std::unique_ptr<StaticLayer> statics_;
    std::vector<std::unique_ptr<ChildView>> children_;
    DrawPanelView* panel_ = nullptr;
    std::vector<std::pair<UINT_PTR, Timer*>> timers_;
    bool timersRunning_ = false;
    // Set while the view itself moves or shows the window: those moves are not the user's.
    int applying_ = 0;
    Subscription subscription_;
};

}  // namespace quorell::gui
