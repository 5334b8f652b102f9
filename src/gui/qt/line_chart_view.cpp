#include "gui/qt/line_chart_view.h"

#include <algorithm>

#include <QChart>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QTimer>
#include <QValueAxis>

#include "gui/qt/qt_text.h"

namespace quorell::gui {

namespace {

QFont SmallFont(const QFont& base, int pixelSize) {
    QFont font = base;
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace

LineChartView::LineChartView(LineChart& model, QWidget* parent)
    : QChartView(parent),
      series_(new QLineSeries),
      valueAxis_(new QValueAxis),
      values_(model.Chart().Values()),
      maximum_(model.Chart().VerticalMaximum()) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setRenderHint(QPainter::Antialiasing, false);

    auto* chart = new QChart;  // owned by this view from setChart on
    chart->setTitle(ToQString(model.Title()));
    chart->setTitleFont(SmallFont(font(), 11));
    chart->legend()->hide();
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setAnimationOptions(QChart::NoAnimation);

    series_->setPen(QPen(ToQColor(model.LineColour()), 1));
    chart->addSeries(series_);

    // Axes take the chart theme's fonts and colours when they are added; ours are set afterwards.
    const QColor grid = ToQColor(LineChart::kGridColour);
    auto* hourAxis = new QValueAxis;
    chart->addAxis(hourAxis, Qt::AlignBottom);
    series_->attachAxis(hourAxis);
    hourAxis->setRange(0, LineChartModel::kPointCount - 1);
    hourAxis->setTickCount(LineChartModel::kPointCount);
    hourAxis->setLabelFormat(QStringLiteral("%d"));
    hourAxis->setLabelsFont(SmallFont(font(), 9));
    hourAxis->setGridLineColor(grid);
    hourAxis->setTruncateLabels(false);  // two digits fit; the layout would elide them to "..."

    chart->addAxis(valueAxis_, Qt::AlignLeft);
    series_->attachAxis(valueAxis_);
    valueAxis_->setTickCount(LineChart::kAxisDivisions + 1);
    valueAxis_->setLabelFormat(QStringLiteral("%d"));
    valueAxis_->setLabelsFont(SmallFont(font(), 9));
    valueAxis_->setGridLineColor(grid);
    valueAxis_->setTruncateLabels(false);

    setChart(chart);
    subscription_ = model.Chart().Subscribe([this](const ChartChange& change) { Apply(change); });
    CatchUp();
}

void LineChartView::Apply(const ChartChange& change) {
    std::visit(Overloaded{[this](const ChartValueChange& value) {
                              values_[static_cast<std::size_t>(value.point)] = value.value;
                          },
                          [this](const ChartMaximumChange& maximum) { maximum_ = maximum.maximum; }},
               change);
    stale_ = true;
    ScheduleCatchUp();
}

void LineChartView::ScheduleCatchUp() {
    if (scheduled_ || !isVisible()) {
        return;
    }
    scheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        scheduled_ = false;
        CatchUp();
    });
}

void LineChartView::CatchUp() {
    if (!stale_) {
        return;
    }
    stale_ = false;
    QList<QPointF> points;
    points.reserve(LineChartModel::kPointCount);
    for (int hour = 0; hour < LineChartModel::kPointCount; ++hour) {
        points.append(QPointF(hour, values_[static_cast<std::size_t>(hour)]));
    }
    series_->replace(points);
    // An empty range would hide the grid; a zero maximum shows as 0..1.
    valueAxis_->setRange(0, std::max(1, maximum_));
}

void LineChartView::showEvent(QShowEvent* event) {
    QChartView::showEvent(event);
    CatchUp();
}

}  // namespace quorell::gui
