#include <climits>

#include <gtest/gtest.h>

#include "ui_model/canvas.h"

namespace quorell {
namespace {

// Keeps the latest change a canvas reported.
struct LastChange {
    explicit LastChange(Canvas& canvas)
        : subscription(canvas.Subscribe([this](const CanvasChange& c) {
              change = c;
              ++count;
          })) {}
    CanvasChange change;
    int count = 0;
    Subscription subscription;
};

// Every pixel that differs between two canvases lies inside `area`.
bool ChangesWithin(const Canvas& before, const Canvas& after, const Rect& area) {
    for (int y = 0; y < Canvas::kHeight; ++y) {
        for (int x = 0; x < Canvas::kWidth; ++x) {
            const bool inside = x >= area.left && x < area.Right() && y >= area.top && y < area.Bottom();
            if (!inside && before.Pixel(x, y) != after.Pixel(x, y))
                return false;
        }
    }
    return true;
}

TEST(CanvasChangedArea, IsTheSmallestRectangleHoldingWhatEachOperationWrote) {
    Canvas canvas;
    LastChange last(canvas);
    canvas.SetPenColour(0xFF0000);
    canvas.DrawLine(7, 40, 7, 100);  // a graph column
    EXPECT_EQ(last.change.area, (Rect{7, 40, 1, 60}));
    canvas.DrawLine(20, 10, 10, 14);                     // sloped, drawn right to left, end point excluded
    EXPECT_EQ(last.change.area, (Rect{11, 10, 10, 5}));  // y rounds to 14 at the last step
    canvas.DrawLine(-50, 50, 350, 50);                   // clipped to the drawing area
    EXPECT_EQ(last.change.area, (Rect{0, 50, 300, 1}));
    canvas.DrawLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    const Rect diagonal = last.change.area;
    EXPECT_GE(diagonal.left, 0);
    EXPECT_LE(diagonal.Right(), Canvas::kWidth);
    EXPECT_GE(diagonal.top, 0);
    EXPECT_LE(diagonal.Bottom(), Canvas::kHeight);

    canvas.ClearRect(299, 0, 300, 102);  // the graph's blanked last column
    EXPECT_EQ(last.change.area, (Rect{299, 0, 1, 100}));
    EXPECT_FALSE(last.change.move);
    canvas.CopyRect(1, 0, 299, 102, 0, 0);  // the graph's scroll: the destination changed
    EXPECT_EQ(last.change.area, (Rect{0, 0, 299, 100}));
    EXPECT_EQ(last.change.move, (Point{-1, 0}));
    canvas.CopyRect(0, 0, 300, 100, 295, 98);  // mostly outside: only what lands inside
    EXPECT_EQ(last.change.area, (Rect{295, 98, 5, 2}));
    EXPECT_EQ(last.change.move, (Point{295, 98}));
    canvas.DrawLine(0, 0, 0, 10);
    EXPECT_FALSE(last.change.move);
}

TEST(CanvasChangedArea, CoversEveryChangedPixelAndStaysWhenNothingIsWritten) {
    Canvas canvas;
    for (int x = 0; x < Canvas::kWidth; x += 3) {
        canvas.SetPenColour(static_cast<std::uint32_t>(x * 977));
        canvas.DrawLine(x, 99 - x % 97, x + 2, 100);
    }
    LastChange last(canvas);
    Canvas before = canvas;
    canvas.CopyRect(-4, -3, 200, 60, 10, 7);
    EXPECT_TRUE(ChangesWithin(before, canvas, last.change.area));
    before = canvas;
    canvas.DrawLine(299, 0, 0, 99);
    EXPECT_TRUE(ChangesWithin(before, canvas, last.change.area));

    canvas.DrawLine(400, 10, 500, 10);  // entirely outside
    canvas.ClearRect(10, 10, 0, 5);     // no width
    canvas.CopyRect(0, 0, 10, 10, 300, 0);
    EXPECT_EQ(last.count, 2);
}

}  // namespace
}  // namespace quorell
