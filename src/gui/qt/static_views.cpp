#include "gui/qt/static_views.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/qt/qt_text.h"

namespace quorell::gui {

ShapeBoxView::ShapeBoxView(const ShapeBox& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
}

void ShapeBoxView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (const auto fill = model_.Fill()) {
        painter.fillRect(rect(), ToQColor(*fill));
    }
    painter.setPen(QPen(ToQColor(model_.Outline()), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

GroupBoxView::GroupBoxView(const GroupBox& model, QWidget* parent) : QGroupBox(ToQString(model.Caption()), parent) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
}

PictureBoxView::PictureBoxView(PictureBox& model, ViewContext& context, QWidget* parent)
    : QWidget(parent), model_(model), context_(context) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
    if (model.Image() == PictureImage::CloseMark) {
        image_ = context.CloseMark();
    }
}

void PictureBoxView::paintEvent(QPaintEvent*) {
    if (!image_.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, image_);
    }
}

void PictureBoxView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint at = event->position().toPoint();
    const int modifiers = static_cast<int>(event->modifiers().toInt());
    context_.Run([&] { model_.DoubleClick(at.x(), at.y(), modifiers); });
}

}  // namespace quorell::gui
