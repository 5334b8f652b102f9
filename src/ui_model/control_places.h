#pragma once

#include "ui_model/geometry.h"
#include "ui_model/window.h"

namespace quorell {

// Where the controls of a window lie and what the pointer is over, in design pixels (96 dpi), from the
// model alone: the views scale these places, and the tests check them without a screen.

// The control's rectangle in its window's client area: its own place plus the places of its containers.
Rect PlaceInClient(const Window& window, const Control& control);

// The tab control whose page holds the control (directly or through its containers); nothing when the
// control lies on the window's own surface.
const TabControl* PageHolder(const Window& window, const Control& control);

// Whether the control is on screen as far as pages go: every tab page that holds it is its tab's current page.
bool OnCurrentPage(const Window& window, const Control& control);

// What a press at a point of the client area takes hold of. On a drag-anywhere window the surface and its
// static controls (labels, shape boxes, picture boxes, group boxes) act as the title bar; the graph and the
// input controls keep the press.
enum class HitArea { Caption, Client };
struct Hit {
    HitArea area = HitArea::Client;
    const Control* control = nullptr;  // the topmost shown control under the point; nullptr: the surface
};
Hit HitTest(const Window& window, Point client);

// True for the kinds drawn by the surface that holds them rather than by a child window of their own.
bool IsStatic(ControlKind kind);

}  // namespace quorell
