#pragma once

#include <array>

#include "gui/win32/child_view.h"
#include "ui_model/line_chart_control.h"

namespace quorell::gui {

// A trend chart drawn with GDI: title, plot area with its grid, the hour and value axes and the series as a
// 1-pixel polyline. A change of the data repaints the chart once, and only while it is shown; a hidden chart
// catches up when it is shown again.
class LineChartView final : public ChildView {
public:
    LineChartView(const Window& window, LineChart& model, ViewLook& look, ChildPlace place);

    // How many times the chart has been drawn (for checks of the redraw rule).
    int Paints() const { return paints_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Apply();
    void Paint(HDC dc);

    LineChart& model_;
    bool stale_ = false;
    int paints_ = 0;
    Subscription subscription_;
};

}  // namespace quorell::gui
