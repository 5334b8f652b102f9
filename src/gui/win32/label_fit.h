#pragma once

#include "ui_model/window_design.h"

namespace quorell::gui {

// How a one-line label shows a text that may be wider than its box. A value must never read wrong, so a
// text too wide is drawn narrower, down to half width; right-aligned text that still does not fit loses
// its leading characters, never its last ones (the unit and the last digits stay in view).

// The width, in percent of the font's normal width, at which a text `needed` pixels wide is drawn in a box
// `available` pixels wide: 100 when it fits, else the ratio rounded down, never below 50.
int NarrowingPercent(int needed, int available);

// The left edge of a text `shown` pixels wide in a box `available` pixels wide: 0 when left-aligned;
// flush right when right-aligned, negative when the text is wider than the box (the box clips its start).
int TextLeft(TextAlign align, int shown, int available);

}  // namespace quorell::gui
