#pragma once

#include <windows.h>

#include <vector>

#include "gui/win32/view_look.h"
#include "ui_model/controls.h"
#include "ui_model/window.h"

namespace quorell::gui {

// The static controls of one surface (a window's client area or a tab control), drawn by that surface
// without child windows: labels, shape boxes, group boxes and picture boxes, in design order so that a
// container is drawn before what it holds. A model change repaints only the changed control's rectangle.
class StaticLayer {
public:
    // `origin`: the surface's top-left in the window's client area, in design pixels.
    StaticLayer(const Window& window, HWND surface, Point origin, ViewLook& look, std::vector<Control*> controls);
    StaticLayer(const StaticLayer&) = delete;
    StaticLayer& operator=(const StaticLayer&) = delete;

    // Draws the controls that meet `area` (surface coordinates) and are on their tab's current page.
    void Paint(HDC dc, const RECT& area);

    // The surface's rectangle of a control, in device pixels.
    RECT PlaceOf(const Control& control) const;

private:
    void PaintLabel(HDC dc, const Label& label, const RECT& box);
    void PaintShapeBox(HDC dc, const ShapeBox& box, const RECT& place);
    void PaintGroupBox(HDC dc, const GroupBox& box, const RECT& place);
    void PaintCloseMark(HDC dc, const RECT& place);
    void Invalidate(const Control& control);

    const Window& window_;
    HWND surface_;
    Point origin_;
    ViewLook& look_;
    std::vector<Control*> controls_;
    std::vector<Subscription> subscriptions_;
};

}  // namespace quorell::gui
