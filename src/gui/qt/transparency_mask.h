#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

namespace quorell::gui {

// The part of a window that stays opaque under a colour key (0xRRGGBB): the whole window rectangle
// except the pixels of `drawing` (placed with its top-left at `drawingOrigin`) whose colour is exactly
// the key. Only the drawing is tested; the rest of the window is drawn by us in other colours.
QRegion OpaqueRegion(const QSize& window, const QImage& drawing, const QPoint& drawingOrigin, QRgb colourKey);

}  // namespace quorell::gui
