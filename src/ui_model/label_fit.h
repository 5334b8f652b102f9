#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ui_model/window_design.h"

namespace quorell {

// How a one-line label shows a text that may be wider than its box. A value must never read wrong, so a
// text too wide is drawn narrower, down to half width; right-aligned text that still does not fit loses
// its leading characters, never its last ones (the unit and the last digits stay in view).

// The width, in percent of the font's normal width, at which a text `needed` pixels wide is drawn in a box
// `available` pixels wide: 100 when it fits, else the ratio rounded down, never below 50.
int NarrowingPercent(int needed, int available);

// The left edge of a text `shown` pixels wide in a box `available` pixels wide: 0 when left-aligned;
// flush right when right-aligned, negative when the text is wider than the box (the box clips its start).
double TextLeft(TextAlign align, double shown, int available);

// How wide the label's text comes out in its font drawn at `percent` of the normal width, in pixels and
// their fractions where the toolkit places text that finely. Only the toolkit can measure; the rule of
// what to measure stays here.
using TextWidthAt = std::function<double(int percent)>;

struct LabelFit {
    int percent = 100;  // of the font's normal width
    double width = 0;   // of the text as drawn
    double left = 0;    // of the text in the box
};

// Where and how narrow the text goes in a box `available` pixels wide: measured once at the normal width,
// and once more at the narrowed width when it does not fit.
LabelFit FitLabel(TextAlign align, int available, const TextWidthAt& widthAt);

// A label shows one line: line breaks show as spaces.
std::string OneLine(std::string_view text);

}  // namespace quorell
