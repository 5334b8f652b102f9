#include "app/model/line_chart_control.h"

namespace quorell {

LineChart::LineChart(Window& owner, const ControlSpec& spec)
    : Control(owner, spec), title_(spec.text), lineColour_(spec.textColour) {
    chart_.SetChangeListener([this] { Changed(ControlProperty::ChartValues); });
}

}  // namespace quorell
