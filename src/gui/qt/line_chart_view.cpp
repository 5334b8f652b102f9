#include "gui/qt/line_chart_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include "gui/qt/qt_text.h"

namespace quorell::gui {

namespace {

QFont ChartFont(const QFont& base, int pixelSize, bool bold) {
    QFont font = base;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void DrawCentred(QPainter& painter, const ChartText& label) {
    painter.drawText(ToQRect(label.box), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                     ToQString(label.text));
}

}  // namespace

LineChartView::LineChartView(LineChart& model, QWidget* parent)
    : QWidget(parent),
      model_(model),
      titleFont_(ChartFont(font(), kChartTitlePixels, true)),
      axisFont_(ChartFont(font(), kChartAxisPixels, false)) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Nothing is painted while the chart is hidden; showing it paints it whole.
    subscription_ = model.Chart().Subscribe([this](const ChartChange&) { update(); });
}

QString LineChartView::Title() const {
    return ToQString(model_.Title());
}

ChartLayout LineChartView::Layout() const {
    const QFontMetrics title(titleFont_);
    const QFontMetrics axis(axisFont_);
    ChartTextMetrics metrics;
    metrics.titleHeight = title.height();
    metrics.labelHeight = axis.height();
    metrics.labelWidth = [&axis](std::string_view text) { return axis.horizontalAdvance(ToQString(text)); };
    return LayOutChart({0, 0, width(), height()}, model_.Chart().VerticalMaximum(), model_.Chart().Values(), metrics);
}

void LineChartView::paintEvent(QPaintEvent*) {
    const ChartLayout layout = Layout();
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(colours::kChartBackground));

    painter.setFont(titleFont_);
    painter.setPen(ToQColor(colours::kChartTitle));
    DrawCentred(painter, {model_.Title(), layout.title});

    // One-pixel lines that end on the plot's last row and column, as the grid's outer lines lie on its edges.
    const Rect& plot = layout.plot;
    const int right = plot.left + plot.width - 1;
    const int bottom = plot.top + plot.height - 1;
    painter.setPen(QPen(ToQColor(LineChart::kGridColour), 0));
    for (const int x : layout.hourLines) {
        painter.drawLine(x, plot.top, x, bottom);
    }
    for (const int y : layout.valueLines) {
        painter.drawLine(plot.left, y, right, y);
    }

    painter.setFont(axisFont_);
    painter.setPen(ToQColor(colours::kChartAxisText));
    for (const ChartText& label : layout.hourLabels) {
        DrawCentred(painter, label);
    }
    for (const ChartText& label : layout.valueLabels) {
        DrawCentred(painter, label);
    }

    QPolygon series;
    series.reserve(static_cast<qsizetype>(layout.points.size()));
    for (const Point& point : layout.points) {
        series.append(QPoint(point.x, point.y));
    }
    painter.setPen(QPen(ToQColor(model_.LineColour()), 0));
    painter.drawPolyline(series);
}

}  // namespace quorell::gui
