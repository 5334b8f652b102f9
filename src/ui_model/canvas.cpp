#include "ui_model/canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace quorell {
namespace {

// A half-open span [begin, end) of one axis after clipping.
struct Span {
    std::int64_t begin;
    std::int64_t end;
    bool Empty() const { return begin >= end; }
};

Span Clip(std::int64_t start, std::int64_t length, std::int64_t limit) {
    if (length <= 0)
        return {0, 0};
    return {std::max<std::int64_t>(start, 0), std::min<std::int64_t>(start + length, limit)};
}

// Spans that passed clipping lie within the drawing area, so they fit an int.
Rect AreaOf(Span xs, Span ys) {
    return Rect{static_cast<int>(xs.begin), static_cast<int>(ys.begin), static_cast<int>(xs.end - xs.begin),
                static_cast<int>(ys.end - ys.begin)};
}

// Line end points beyond this magnitude are pulled in, which keeps the stepping arithmetic exact in
// 64 bits. It is far outside any panel, and a vertical or horizontal line keeps exactly its pixels.
constexpr std::int64_t kCoordinateLimit = std::int64_t{1} << 24;

std::int64_t Limit(int value) {
    return std::clamp<std::int64_t>(value, -kCoordinateLimit, kCoordinateLimit);
}

}  // namespace

Canvas::Canvas() : pixels_(static_cast<std::size_t>(kWidth) * kHeight, kBackground) {}

std::uint32_t Canvas::Pixel(int x, int y) const {
    if (x < 0 || x >= kWidth || y < 0 || y >= kHeight)
        return kBackground;
    return pixels_[Index(x, y)];
}

std::vector<std::uint32_t> Canvas::Pixels() const {
    std::vector<std::uint32_t> all(pixels_.size());
    for (int y = 0; y < kHeight; ++y)
        ReadRow(y, 0, kWidth, all.data() + static_cast<std::size_t>(y) * kWidth);
    return all;
}

void Canvas::ReadRow(int y, int left, int count, std::uint32_t* out) const {
    // At most two runs: up to the end of the stored row, then from its start.
    const std::uint32_t* row = pixels_.data() + static_cast<std::size_t>(y) * kWidth;
    const int start = static_cast<int>(Index(left, 0));  // the stored column of `left`
    const int first = std::min(count, kWidth - start);
    std::memcpy(out, row + start, static_cast<std::size_t>(first) * sizeof(std::uint32_t));
    std::memcpy(out + first, row, static_cast<std::size_t>(count - first) * sizeof(std::uint32_t));
}

bool Canvas::TurnSideways(std::int64_t dx, std::int64_t fromX, std::int64_t toX, std::int64_t fromY, std::int64_t toY) {
    // Every row, every column that has a destination, and at most half the width (see below).
    if (dx == 0 || fromY != 0 || toY != kHeight || 2 * std::llabs(dx) > kWidth)
        return false;
    if (fromX != std::max<std::int64_t>(0, -dx) || toX != kWidth - std::max<std::int64_t>(0, dx))
        return false;
    // Turned, every column x shows what column x - dx showed, the |dx| columns without a source too:
    // they show what wrapped round. A copy leaves those as they were, and what they were now lies
    // dx further on, within the copied columns (|dx| is at most half the width).
    origin_ = static_cast<int>(((origin_ - dx) % kWidth + kWidth) % kWidth);
    const int from = dx < 0 ? static_cast<int>(kWidth + dx) : 0;
    const int to = dx < 0 ? kWidth : static_cast<int>(dx);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = from; x < to; ++x)
            pixels_[Index(x, y)] = pixels_[Index(x + static_cast<int>(dx), y)];
    }
    return true;
}

void Canvas::CopyRect(int left, int top, int width, int height, int toLeft, int toTop) {
    const std::int64_t dx = std::int64_t{toLeft} - left;
    const std::int64_t dy = std::int64_t{toTop} - top;
    // Source pixels that exist and whose destination exists.
    Span xs = Clip(left, width, kWidth);
    Span ys = Clip(top, height, kHeight);
    xs = {std::max(xs.begin, -dx), std::min(xs.end, kWidth - dx)};
    ys = {std::max(ys.begin, -dy), std::min(ys.end, kHeight - dy)};
    if (xs.Empty() || ys.Empty())
        return;

    if (dy != 0 || !TurnSideways(dx, xs.begin, xs.end, ys.begin, ys.end)) {
        const auto count = static_cast<int>(xs.end - xs.begin);
        std::vector<std::uint32_t> row(static_cast<std::size_t>(count));
        auto copyRow = [&](std::int64_t y) {
            ReadRow(static_cast<int>(y), static_cast<int>(xs.begin), count, row.data());
            for (int i = 0; i < count; ++i) {
                pixels_[Index(static_cast<int>(xs.begin + dx) + i, static_cast<int>(y + dy))] = row[i];
            }
        };
        // Walk rows away from the destination so an overlapping source row is read before it is overwritten.
        if (dy > 0) {
            for (std::int64_t y = ys.end - 1; y >= ys.begin; --y)
                copyRow(y);
        } else {
            for (std::int64_t y = ys.begin; y < ys.end; ++y)
                copyRow(y);
        }
    }
    Changed({AreaOf({xs.begin + dx, xs.end + dx}, {ys.begin + dy, ys.end + dy}),
             Point{static_cast<int>(dx), static_cast<int>(dy)}});
}

void Canvas::ClearRect(int left, int top, int width, int height) {
    const Span xs = Clip(left, width, kWidth);
    const Span ys = Clip(top, height, kHeight);
    if (xs.Empty() || ys.Empty())
        return;
    for (std::int64_t y = ys.begin; y < ys.end; ++y) {
        for (std::int64_t x = xs.begin; x < xs.end; ++x) {
            pixels_[Index(static_cast<int>(x), static_cast<int>(y))] = kBackground;
        }
    }
    Changed({AreaOf(xs, ys), std::nullopt});
}

void Canvas::DrawLine(int x0, int y0, int x1, int y1) {
    const std::int64_t ax = Limit(x0), ay = Limit(y0), bx = Limit(x1), by = Limit(y1);
    const bool xMajor = std::llabs(bx - ax) >= std::llabs(by - ay);
    // Work along the longer (major) axis; the shorter (minor) axis follows by exact rounding.
    const std::int64_t majorStart = xMajor ? ax : ay;
    const std::int64_t minorStart = xMajor ? ay : ax;
    const std::int64_t majorDelta = xMajor ? bx - ax : by - ay;
    const std::int64_t minorDelta = xMajor ? by - ay : bx - ax;
    const std::int64_t majorLimit = xMajor ? kWidth : kHeight;
    const std::int64_t minorLimit = xMajor ? kHeight : kWidth;
    const std::int64_t steps = std::llabs(majorDelta);
    if (steps == 0)
        return;
    const std::int64_t majorSign = majorDelta > 0 ? 1 : -1;
    const std::int64_t minorSign = minorDelta >= 0 ? 1 : -1;
    const std::int64_t minorSpan = std::llabs(minorDelta);

    // Only the steps whose major coordinate lies inside the drawing area can draw.
    std::int64_t first = 0, last = steps;  // [first, last)
    if (majorSign > 0) {
        first = std::max<std::int64_t>(first, -majorStart);
        last = std::min<std::int64_t>(last, majorLimit - majorStart);
    } else {
        first = std::max<std::int64_t>(first, majorStart - majorLimit + 1);
        last = std::min<std::int64_t>(last, majorStart + 1);
    }

    Span xs{kWidth, 0}, ys{kHeight, 0};  // what was written; empty so far
    for (std::int64_t i = first; i < last; ++i) {
        const std::int64_t major = majorStart + majorSign * i;
        const std::int64_t offset = (2 * i * minorSpan + steps) / (2 * steps);
        const std::int64_t minor = minorStart + minorSign * offset;
        if (minor < 0 || minor >= minorLimit)
            continue;
        const std::int64_t x = xMajor ? major : minor;
        const std::int64_t y = xMajor ? minor : major;
        pixels_[Index(static_cast<int>(x), static_cast<int>(y))] = pen_;
        xs = {std::min(xs.begin, x), std::max(xs.end, x + 1)};
        ys = {std::min(ys.begin, y), std::max(ys.end, y + 1)};
    }
    if (!xs.Empty())
        Changed({AreaOf(xs, ys), std::nullopt});
}

}  // namespace quorell
