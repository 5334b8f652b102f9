#include "app/model/canvas.h"

#include <climits>
#include <cstdint>

#include <gtest/gtest.h>

namespace quorell {
namespace {

constexpr std::uint32_t kBg = Canvas::kBackground;

int Painted(const Canvas& canvas) {
    int count = 0;
    for (std::uint32_t p : canvas.Pixels()) count += p != kBg;
    return count;
}

// Column x gets colour x + 1 from row 99 - x % 90 down, so every column is recognisable.
Canvas Striped() {
    Canvas canvas;
    for (int x = 0; x < Canvas::kWidth; ++x) {
        canvas.SetPenColour(static_cast<std::uint32_t>(x + 1));
        canvas.DrawLine(x, 99 - x % 90, x, 100);
    }
    return canvas;
}

TEST(CanvasLine, EndPointIsExcludedAndEverythingOutsideTheAreaIsClipped) {
    Canvas canvas;
    canvas.DrawLine(5, 98, 5, 102);   // rows 98, 99
    canvas.DrawLine(14, 30, 10, 30);  // columns 14..11
    canvas.DrawLine(50, 50, 50, 50);  // nothing
    EXPECT_EQ(Painted(canvas), 2 + 4);
    EXPECT_EQ(canvas.Pixel(10, 30), kBg);
    // Far end points neither hang, overflow nor stray outside the area.
    canvas.DrawLine(299, INT_MIN, 299, INT_MAX);
    canvas.DrawLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    canvas.DrawLine(-10, 50, -10, 60);
    canvas.DrawLine(0, 100, 300, 100);
    for (int y = 0; y < 100; ++y) ASSERT_NE(canvas.Pixel(299, y), kBg) << y;
    EXPECT_EQ(canvas.Pixel(-1, 50), kBg);
}

TEST(CanvasLine, SlopedLineTakesOnePixelPerStepRoundedFromItsStart) {
    Canvas canvas;
    canvas.DrawLine(0, 10, 4, 12);  // y 10, 10.5, 11, 11.5 -> 10, 11, 11, 12
    EXPECT_NE(canvas.Pixel(0, 10), kBg);
    EXPECT_NE(canvas.Pixel(1, 11), kBg);
    EXPECT_NE(canvas.Pixel(2, 11), kBg);
    EXPECT_NE(canvas.Pixel(3, 12), kBg);
    EXPECT_EQ(Painted(canvas), 4);
}

TEST(CanvasCopy, OverlappingCopiesMoveThePictureInEitherDirection) {
    const Canvas before = Striped();
    Canvas left = before;
    left.CopyRect(1, 0, 299, 102, 0, 0);  // the graph's scroll
    Canvas down = before;
    down.CopyRect(0, 0, 300, 100, 3, 2);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 300; ++x) {
            ASSERT_EQ(left.Pixel(x, y), before.Pixel(x < 299 ? x + 1 : x, y)) << x << "," << y;
            const bool moved = x >= 3 && y >= 2;
            ASSERT_EQ(down.Pixel(x, y), moved ? before.Pixel(x - 3, y - 2) : before.Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST(CanvasCopy, RectanglesOutsideTheAreaCopyAndClearNothing) {
    Canvas canvas = Striped();
    const auto pixels = canvas.Pixels();
    const auto revision = canvas.Revision();
    canvas.CopyRect(300, 0, 50, 100, 0, 0);
    canvas.CopyRect(0, 0, -5, 10, 20, 0);
    canvas.CopyRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    canvas.ClearRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(canvas.Pixels(), pixels);
    EXPECT_EQ(canvas.Revision(), revision);
    canvas.ClearRect(299, 0, 300, 102);  // the graph's clear: only the last column lies inside
    EXPECT_EQ(canvas.Pixel(299, 99), kBg);
    EXPECT_EQ(canvas.Pixel(298, 99), 299u);
}

TEST(CanvasChanges, OnlyOperationsThatWritePixelsNotify) {
    Canvas canvas;
    int calls = 0;
    canvas.SetChangeListener([&] { ++calls; });
    canvas.SetPenColour(0xFF0000);
    canvas.DrawLine(400, 0, 400, 100);
    canvas.ClearRect(0, 0, 0, 100);
    canvas.DrawLine(0, 0, 0, 100);
    canvas.CopyRect(0, 0, 1, 100, 1, 0);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(canvas.Revision(), 2u);
}

}  // namespace
}  // namespace quorell
