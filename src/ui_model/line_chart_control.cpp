#include "ui_model/line_chart_control.h"

namespace quorell {

LineChart::LineChart(Window& owner, const ControlDesign& design)
    : Control(owner, design), title_(design.text), lineColour_(design.textColour) {}

}  // namespace quorell
