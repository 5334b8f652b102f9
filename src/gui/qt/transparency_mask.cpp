#include "gui/qt/transparency_mask.h"

#include <QList>
#include <algorithm>

namespace quorell::gui {

namespace {

// The opaque spans of one window row: [left, right) pairs, ascending, never touching each other.
using Spans = QList<QPair<int, int>>;

void AddSpan(Spans& spans, int left, int right) {
    if (left >= right) {
        return;
    }
    if (!spans.isEmpty() && spans.back().second == left) {
        spans.back().second = right;  // a span that touches the previous one extends it
    } else {
        spans.append({left, right});
    }
}

Spans RowSpans(const QImage& drawing, int y, int originX, int windowWidth, QRgb key) {
    Spans spans;
    const int left = std::clamp(originX, 0, windowWidth);
    const int right = std::clamp(originX + drawing.width(), 0, windowWidth);
    AddSpan(spans, 0, left);
    const auto* line = reinterpret_cast<const QRgb*>(drawing.constScanLine(y));
    int start = -1;
    for (int x = left; x < right; ++x) {
        const bool opaque = (line[x - originX] & 0xFFFFFFu) != key;
        if (opaque && start < 0) {
            start = x;
        } else if (!opaque && start >= 0) {
            AddSpan(spans, start, x);
            start = -1;
        }
    }
    if (start >= 0) {
        AddSpan(spans, start, right);
    }
    AddSpan(spans, right, windowWidth);
    return spans;
}

// Appends one band (rows top..top+height-1 sharing these spans) in the region's banded order.
void AddBand(QList<QRect>& rects, const Spans& spans, int top, int height) {
    for (const auto& [left, right] : spans) {
        rects.append(QRect(left, top, right - left, height));
    }
}

}  // namespace

QRegion OpaqueRegion(const QSize& window, const QImage& drawing, const QPoint& drawingOrigin, QRgb colourKey) {
    const QRgb key = colourKey & 0xFFFFFFu;
    const QImage pixels = drawing.format() == QImage::Format_RGB32 || drawing.format() == QImage::Format_ARGB32
                              ? drawing
                              : drawing.convertToFormat(QImage::Format_RGB32);
    // Rows are scanned once; neighbouring rows with the same spans make one band, which keeps the
    // region small (a graph has long runs of identical rows).
    QList<QRect> rects;
    Spans band;
    int bandTop = 0;
    for (int y = 0; y < window.height(); ++y) {
        const int row = y - drawingOrigin.y();
        Spans spans;
        if (row >= 0 && row < pixels.height()) {
            spans = RowSpans(pixels, row, drawingOrigin.x(), window.width(), key);
        } else {
            AddSpan(spans, 0, window.width());
        }
        if (y > 0 && spans != band) {
            AddBand(rects, band, bandTop, y - bandTop);
            bandTop = y;
        }
        band = std::move(spans);
    }
    if (window.height() > 0) {
        AddBand(rects, band, bandTop, window.height() - bandTop);
    }
    QRegion region;
    region.setRects(rects.constData(), static_cast<int>(rects.size()));
    return region;
}

}  // namespace quorell::gui
