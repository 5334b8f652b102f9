#include "gui/win32/line_chart_view.h"

#include <string>

#include "gui/win32/gdi_handles.h"
#include "gui/win32/win32_convert.h"
#include "gui/win32/win32_text.h"
#include "ui_model/chart_layout.h"

namespace quorell::gui {

namespace {

constexpr wchar_t kClassName[] = L"QuorellChart";

void DrawCentred(HDC dc, const std::string& text, const Rect& box) {
    const std::wstring wide = Wide(text);
    RECT rect{box.left, box.top, box.left + box.width, box.top + box.height};
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

}  // namespace

LineChartView::LineChartView(const Window& window, LineChart& model, ViewLook& look, ChildPlace place)
    : ChildView(window, model, look, place), model_(model) {
    RegisterClassFor(::GetModuleHandleW(nullptr), kClassName);
    Make(kClassName, Wide(model.Title()), WS_VISIBLE);
    subscription_ = model_.Chart().Subscribe([this](const ChartChange&) { Apply(); });
}

void LineChartView::Apply() {
    // A refresh of the trend window changes 24 values and the maximum: the invalid area gathers them into
    // one paint. A hidden chart is painted whole when it is shown, so it needs nothing now.
    if (Hwnd() != nullptr && ::IsWindowVisible(Hwnd())) {
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

void LineChartView::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(Hwnd(), &client);
    {
        GdiObject<HBRUSH> background(::CreateSolidBrush(ToColorRef(colours::kChartBackground)));
        ::FillRect(dc, &client, background.Get());
    }

    TEXTMETRICW title{};
    TEXTMETRICW axis{};
    ::SelectObject(dc, Look().TitleFont());
    ::GetTextMetricsW(dc, &title);
    ::SelectObject(dc, Look().AxisFont());
    ::GetTextMetricsW(dc, &axis);
    ChartTextMetrics metrics;
    metrics.titleHeight = title.tmHeight;
    metrics.labelHeight = axis.tmHeight;
    metrics.labelWidth = [dc](std::string_view text) {
        const std::wstring wide = Wide(text);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        return static_cast<int>(size.cx);
    };
    const Rect bounds{0, 0, client.right, client.bottom};
    const ChartLayout layout = LayOutChart(bounds, model_.Chart().VerticalMaximum(), model_.Chart().Values(), metrics);

    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ToColorRef(colours::kChartTitle));
    ::SelectObject(dc, Look().TitleFont());
    DrawCentred(dc, model_.Title(), layout.title);

    GdiObject<HPEN> grid(::CreatePen(PS_SOLID, 1, ToColorRef(LineChart::kGridColour)));
    {
        Selected pen(dc, grid.Get());
        const Rect& plot = layout.plot;
        for (const int x : layout.hourLines) {
            ::MoveToEx(dc, x, plot.top, nullptr);
            ::LineTo(dc, x, plot.top + plot.height);
        }
        for (const int y : layout.valueLines) {
            ::MoveToEx(dc, plot.left, y, nullptr);
            ::LineTo(dc, plot.left + plot.width, y);
        }
    }
    ::SelectObject(dc, Look().AxisFont());
    ::SetTextColor(dc, ToColorRef(colours::kChartAxisText));
    for (const ChartText& label : layout.hourLabels) {
        DrawCentred(dc, label.text, label.box);
    }
    for (const ChartText& label : layout.valueLabels) {
        DrawCentred(dc, label.text, label.box);
    }

    GdiObject<HPEN> line(::CreatePen(PS_SOLID, 1, ToColorRef(model_.LineColour())));
    Selected pen(dc, line.Get());
    std::array<POINT, LineChartModel::kPointCount> points{};
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i] = {layout.points[i].x, layout.points[i].y};
    }
    ::Polyline(dc, points.data(), static_cast<int>(points.size()));
}

LRESULT LineChartView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto painted = AnswerPaint(Hwnd(), message, wParam, [this](HDC dc, const RECT&) { Paint(dc); });
    return painted ? *painted : ::DefWindowProcW(Hwnd(), message, wParam, lParam);
}

}  // namespace quorell::gui
