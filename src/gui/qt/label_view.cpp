#include "gui/qt/label_view.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>

#include "gui/qt/qt_text.h"

namespace quorell::gui {

LabelView::LabelView(Label& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
    subscription_ = model_.Subscribe([this](ControlProperty) { Refresh(); });
    Refresh();
}

LabelView::~LabelView() { model_.Unsubscribe(subscription_); }

void LabelView::Refresh() {
    text_ = ToQString(model_.Text());
    setAttribute(Qt::WA_OpaquePaintEvent, model_.Background().has_value() || backdrop_.has_value());
    update();
}

void LabelView::SetBackdrop(std::optional<QColor> colour) {
    backdrop_ = colour;
    Refresh();
}

QFont LabelView::ShownFont() const {
    if (fitted_.width == width() && fitted_.text == text_ && fitted_.base == font()) {
        return fitted_.shown;
    }
    QFont shown = font();
    const int needed = QFontMetrics(shown).horizontalAdvance(text_);
    if (needed > width() && needed > 0) {
        constexpr int kNarrowest = 50;   // percent of the normal width
        shown.setStretch(std::max(kNarrowest, 100 * width() / needed));
    }
    fitted_ = {text_, width(), font(), shown};
    return shown;
}

void LabelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(ShownFont());
    if (const auto background = model_.Background()) {
        painter.fillRect(rect(), ToQColor(*background));
    } else if (backdrop_) {
        painter.fillRect(rect(), *backdrop_);
    }
    painter.setPen(ToQColor(model_.TextColour()));
    const Qt::Alignment horizontal = model_.Align() == TextAlign::Right ? Qt::AlignRight : Qt::AlignLeft;
    painter.drawText(rect(), static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), text_);
}

}  // namespace quorell::gui
