#pragma once

#include <array>

#include "gui/win32/child_view.h"
#include "ui_model/line_chart_control.h"

namespace quorell::gui {

// A trend chart drawn with GDI: title, plot area with its grid, the hour and value axes and the series as a
// 1-pixel polyline. Changes of the data repaint the chart once, at the next paint, and only while it is
// shown; a hidden chart is drawn afresh when it is shown again.
class LineChartView final : public ChildView {
public:
    LineChartView(const Window& window, LineChart& model, ViewLook& look, ChildPlace place);

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Apply();
    void Paint(HDC dc);

    LineChart& model_;
    Subscription subscription_;
};

}  // namespace quorell::gui
