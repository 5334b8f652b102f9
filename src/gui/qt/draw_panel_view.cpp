#include "gui/qt/draw_panel_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "gui/qt/qt_text.h"

namespace quorell::gui {

DrawPanelView::DrawPanelView(DrawPanel& model, QWidget* parent)
    : QWidget(parent),
      model_(model),
      image_(Canvas::kWidth, Canvas::kHeight, QImage::Format_RGB32),
      stale_(0, 0, Canvas::kWidth, Canvas::kHeight) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
    setAttribute(Qt::WA_OpaquePaintEvent);
    subscription_ = model_.Canvas().Subscribe([this](const CanvasChange& change) { Apply(change); });
}

void DrawPanelView::Apply(const CanvasChange& change) {
    const QRect changed(change.area.left, change.area.top, change.area.width, change.area.height);
    if (change.move && isVisible()) {
        Move(changed, QPoint(change.move->x, change.move->y));
    } else {
        stale_ += changed;
        update(changed.translated(DrawingOrigin()));
    }
    emit PixelsChanged();
}

void DrawPanelView::Move(const QRect& destination, const QPoint& offset) {
    // The image is brought up to date where it is painted: the moved pixels are copied from the canvas
    // when the desktop asks for them, which after a move is only the part the move uncovered.
    stale_ += destination;
    // The pixels on screen move with them (within the desktop's copy of the window where it can), and
    // only what the move uncovers is painted; Qt moves the parts still waiting to be painted along.
    const QRect source = destination.translated(-offset);
    scroll(offset.x(), offset.y(), (source | destination).translated(DrawingOrigin()));
}

void DrawPanelView::CopyCanvas(const QRegion& wanted) {
    const QRegion copied = stale_ & wanted & QRect(0, 0, Canvas::kWidth, Canvas::kHeight);
    const Canvas& canvas = model_.Canvas();
    for (const QRect& area : copied) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y)) + area.left();
            canvas.ReadRow(y, area.left(), area.width(), line);
            for (int x = 0; x < area.width(); ++x) {
                line[x] |= 0xFF000000u;  // the canvas holds colours, the image opaque pixels
            }
        }
    }
    stale_ -= copied;
}

const QImage& DrawPanelView::Image() {
    CopyCanvas(QRect(0, 0, Canvas::kWidth, Canvas::kHeight));
    return image_;
}

void DrawPanelView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect drawing(DrawingOrigin(), QSize(Canvas::kWidth, Canvas::kHeight));
    const QRect exposed = event->rect();
    // A graph step exposes only pixels of the drawing area; the frame around it is left alone.
    if (!drawing.contains(exposed)) {
        painter.setPen(QPen(ToQColor(colours::kPanelBorder), 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        // Anything the widget holds beyond the canvas (it is sized for the canvas) keeps the panel colour.
        const QRect inner = rect().adjusted(1, 1, -1, -1);
        if (inner != drawing) {
            painter.fillRect(inner, ToQColor(Canvas::kBackground));
        }
    }
    const QRect shown = exposed & drawing;
    if (!shown.isEmpty()) {
        const QRect canvasArea = shown.translated(-DrawingOrigin());
        CopyCanvas(canvasArea);
        painter.drawImage(shown.topLeft(), image_, canvasArea);
    }
}

// Presses, moves and releases stop here: the graph is not a handle for moving the window.
void DrawPanelView::mousePressEvent(QMouseEvent* event) {
    event->accept();
}
void DrawPanelView::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}
void DrawPanelView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

}  // namespace quorell::gui
