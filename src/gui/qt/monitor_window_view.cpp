#include "gui/qt/monitor_window_view.h"

#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include "gui/qt/draw_panel_view.h"
#include "gui/qt/transparency_mask.h"
#include "ui_model/control_places.h"

namespace quorell::gui {

MonitorWindowView::MonitorWindowView(Window& model, ViewContext& context) : WindowView(model, context) {
    panel_ = findChild<DrawPanelView*>();
    if (panel_ != nullptr) {
        connect(panel_, &DrawPanelView::PixelsChanged, this, &MonitorWindowView::ScheduleMask);
    }
}

void MonitorWindowView::SetSeeThrough(std::optional<QRgb> colourKey) {
    colourKey_ = colourKey;
    if (colourKey_) {
        RebuildMask();
    } else {
        clearMask();
    }
}

void MonitorWindowView::ScheduleMask() {
    // A tick changes the canvas several times; the shape is rebuilt once, after the tick. A hidden
    // window's shape is rebuilt when it is shown again.
    if (!colourKey_ || maskScheduled_ || !isVisible()) {
        return;
    }
    maskScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        maskScheduled_ = false;
        if (colourKey_) {
            RebuildMask();
        }
    });
}

void MonitorWindowView::RebuildMask() {
    if (panel_ == nullptr || !colourKey_) {
        return;
    }
    const QPoint origin = panel_->mapTo(this, DrawPanelView::DrawingOrigin());
    setMask(OpaqueRegion(size(), panel_->Image(), origin, *colourKey_));
}

void MonitorWindowView::showEvent(QShowEvent* event) {
    WindowView::showEvent(event);
    if (colourKey_) {
        RebuildMask();
    }
}

void MonitorWindowView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || HitTest(Model(), {at.x(), at.y()}).area != HitArea::Caption) {
        WindowView::mousePressEvent(event);
        return;
    }
    event->accept();
    // As if the title bar had been grabbed: the window manager moves the window and every step comes
    // back as a move. Without one (or one that cannot), the window follows the cursor itself.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        return;
    }
    dragging_ = true;
    grabOffset_ = event->globalPosition().toPoint() - QPoint(Model().Left(), Model().Top());
}

void MonitorWindowView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) {
        WindowView::mouseMoveEvent(event);
        return;
    }
    const QPoint to = event->globalPosition().toPoint() - grabOffset_;
    Context().Run([&] { Model().MoveByUser(to.x(), to.y()); });
    event->accept();
}

void MonitorWindowView::moveEvent(QMoveEvent* event) {
    // While this view drags the window it reports every step itself; the desktop's confirmations of
    // earlier steps arrive late and must not pull the window back.
    if (dragging_) {
        QWidget::moveEvent(event);
        return;
    }
    WindowView::moveEvent(event);
}

void MonitorWindowView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
    }
    WindowView::mouseReleaseEvent(event);
}

}  // namespace quorell::gui
