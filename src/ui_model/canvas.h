#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "ui_model/geometry.h"
#include "ui_model/signal.h"

namespace quorell {

// What one drawing operation changed: the smallest rectangle holding every pixel it wrote (drawing-area
// coordinates), so a view need repaint no more (a graph step before the graph scrolls is one column).
// When the operation moved pixels (CopyRect), `move` says by how much: the area then holds what lay at
// the area offset by minus the move, so a view that shows the earlier pixels can move them too.
struct CanvasChange {
    Rect area;
    std::optional<Point> move;
};

// The retained picture of a monitor window's draw panel: a 300 x 100 drawing area inside a 1-pixel
// border (outer size 302 x 102). Colours are 0xRRGGBB. Every coordinate is a drawing-area coordinate;
// every operation is clipped to the drawing area, so no input can write outside it.
class Canvas {
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 100;
    static constexpr int kOuterWidth = kWidth + 2;
    static constexpr int kOuterHeight = kHeight + 2;
    static constexpr std::uint32_t kBackground = 0xECECEC;
    static constexpr std::uint32_t kInitialPen = 0x000000;

    Canvas();

    int OuterWidth() const { return kOuterWidth; }
    int OuterHeight() const { return kOuterHeight; }

    // The colour at (x, y); outside the drawing area, the background colour.
    std::uint32_t Pixel(int x, int y) const;
    // Every pixel, row-major, kWidth * kHeight entries, row 0 at the top (a copy).
    std::vector<std::uint32_t> Pixels() const;
    // Copies `count` pixels of row `y` from column `left` on into `out`; the span must lie in the area.
    void ReadRow(int y, int left, int count, std::uint32_t* out) const;

    std::uint32_t PenColour() const { return pen_; }
    void SetPenColour(std::uint32_t rgb) { pen_ = rgb & 0xFFFFFF; }

    // Copies the rectangle (left, top, width, height) so that its top-left lands on (toLeft, toTop).
    // Source and destination may overlap; only pixels whose source and destination both lie in the
    // drawing area are copied. A rectangle with no width or height copies nothing.
    void CopyRect(int left, int top, int width, int height, int toLeft, int toTop);

    // Fills the rectangle with the background colour.
    void ClearRect(int left, int top, int width, int height);

    // A 1-pixel line in the pen colour from (x0, y0) to (x1, y1), the end point excluded. It covers
    // max(|dx|, |dy|) pixels, one per step along the longer axis; on the shorter axis each pixel is the
    // exact position rounded half away from the start. A line from a point to itself draws nothing.
    void DrawLine(int x0, int y0, int x1, int y1);

    // Observers hear of every operation that wrote at least one pixel, and of nothing else.
    Subscription Subscribe(std::function<void(const CanvasChange&)> observer) {
        return changed_.Subscribe(std::move(observer));
    }

private:
    void Changed(const CanvasChange& change) const { changed_.Emit(change); }

    // Where pixel (x, y) is kept. The columns form a ring: a copy of the whole picture sideways (as a
    // scrolling graph makes every second) turns the ring instead of moving every pixel.
    std::size_t Index(int x, int y) const {
        const int column = x + origin_ < kWidth ? x + origin_ : x + origin_ - kWidth;
        return static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(column);
    }
    // CopyRect of every pixel that can move sideways by dx: false when it is not such a copy.
    bool TurnSideways(std::int64_t dx, std::int64_t fromX, std::int64_t toX, std::int64_t fromY, std::int64_t toY);

    std::vector<std::uint32_t> pixels_;
    int origin_ = 0;  // the stored column of x = 0
    std::uint32_t pen_ = kInitialPen;
    Signal<const CanvasChange&> changed_;
};

}  // namespace quorell
