#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>

#include "ui_model/draw_panel.h"

namespace quorell::gui {

// Shows a draw panel's canvas pixel for pixel inside a 1-pixel border. Changes of the canvas are
// collected and painted once per frame, and only where pixels changed. A press on the panel is taken here, so it never drags the window.
class DrawPanelView : public QWidget {
    Q_OBJECT
public:
    DrawPanelView(DrawPanel& model, QWidget* parent);

    const Canvas& CanvasModel() const { return model_.Canvas(); }
    // The canvas as an image, brought up to date first.
    const QImage& Image();
    // Where the canvas's drawing area lies inside this widget.
    static QPoint DrawingOrigin() { return {1, 1}; }

signals:
    // The canvas changed (one signal per model change).
    void PixelsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Marks what a canvas change touched for copying and painting.
    void Apply(const CanvasChange& change);
    // Brings the image up to date with the canvas within `wanted` (canvas coordinates).
    void CopyCanvas(const QRegion& wanted);
    // The canvas moved the pixels of `destination` there from `destination` minus `offset`.
    void Move(const QRect& destination, const QPoint& offset);

    DrawPanel& model_;
    QImage image_;
    QRegion stale_;  // the part of image_ behind the canvas, in canvas coordinates
    Subscription subscription_;
};

}  // namespace quorell::gui
