#pragma once

#include <memory>
#include <vector>

#include "gui/win32/child_view.h"
#include "gui/win32/view_context.h"
#include "gui/win32/view_look.h"
#include "ui_model/controls.h"
#include "ui_model/window.h"

namespace quorell::gui {

class DrawPanelView;

// What a window's controls became: child windows, the static controls its own surface draws, its timers.
struct BuiltControls {
    std::vector<std::unique_ptr<ChildView>> children;
    std::vector<Control*> surfaceStatics;
    DrawPanelView* panel = nullptr;
    std::vector<Timer*> timers;
};

// Makes a child window, in design order, for every control that needs one: on the window's surface, or on
// the tab control whose page holds it. Each tab draws the static controls of its pages; the window's
// surface draws the rest.
BuiltControls BuildChildViews(Window& window, HWND surface, ViewLook& look, ViewContext& context);

}  // namespace quorell::gui
