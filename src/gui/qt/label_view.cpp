#include "gui/qt/label_view.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "gui/qt/qt_text.h"

namespace quorell::gui {

namespace {

QStaticText LaidOut(const QString& text, const QFont& font) {
    QStaticText layout(text);
    layout.setTextFormat(Qt::PlainText);
    layout.prepare(QTransform(), font);
    return layout;
}

int WidthOf(const QStaticText& layout) { return static_cast<int>(std::ceil(layout.size().width())); }

}  // namespace

LabelView::LabelView(Label& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
    subscription_ = model_.Subscribe([this](ControlProperty) { Refresh(); });
    Refresh();
}

LabelView::~LabelView() { model_.Unsubscribe(subscription_); }

void LabelView::Refresh() {
    // One line: line breaks show as spaces.
    text_ = ToQString(model_.Text());
    text_.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    setAttribute(Qt::WA_OpaquePaintEvent, model_.Background().has_value() || backdrop_.has_value());
    update();
}

void LabelView::SetBackdrop(std::optional<QColor> colour) {
    backdrop_ = colour;
    Refresh();
}

const LabelView::Fitted& LabelView::Fit() const {
    if (fitted_.width == width() && fitted_.text == text_ && fitted_.base == font()) {
        return fitted_;
    }
    QFont shown = font();
    QStaticText layout = LaidOut(text_, shown);
    const int needed = WidthOf(layout);
    if (needed > width() && needed > 0) {
        constexpr int kNarrowest = 50;   // percent of the normal width
        shown.setStretch(std::max(kNarrowest, 100 * width() / needed));
        layout = LaidOut(text_, shown);
    }
    fitted_ = {text_, width(), font(), shown, layout};
    return fitted_;
}

QFont LabelView::ShownFont() const { return Fit().shown; }

void LabelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (const auto background = model_.Background()) {
        painter.fillRect(rect(), ToQColor(*background));
    } else if (backdrop_) {
        painter.fillRect(rect(), *backdrop_);
    }
    const Fitted& fitted = Fit();
    const QSizeF size = fitted.layout.size();
    // Right-aligned text too wide even when narrowed loses its leading characters, never its last ones.
    const qreal left = model_.Align() == TextAlign::Right ? width() - size.width() : 0.0;
    const qreal top = (height() - size.height()) / 2.0;
    painter.setFont(fitted.shown);
    painter.setPen(ToQColor(model_.TextColour()));
    painter.setClipRect(rect());
    painter.drawStaticText(QPointF(left, std::round(top)), fitted.layout);
}

}  // namespace quorell::gui
