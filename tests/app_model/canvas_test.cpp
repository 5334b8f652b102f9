#include "app/model/canvas.h"

#include <climits>
#include <cstdint>

#include <gtest/gtest.h>

namespace quorell {
namespace {

constexpr std::uint32_t kBg = Canvas::kBackground;
constexpr std::uint32_t kRed = 0xFF0000;

// Rows of column x that differ from the background, as a count, and the topmost such row.
int PaintedRows(const Canvas& canvas, int x, int* top = nullptr) {
    int count = 0;
    if (top) *top = -1;
    for (int y = 0; y < Canvas::kHeight; ++y) {
        if (canvas.Pixel(x, y) == kBg) continue;
        if (top && *top < 0) *top = y;
        ++count;
    }
    return count;
}

int PaintedPixels(const Canvas& canvas) {
    int count = 0;
    for (std::uint32_t p : canvas.Pixels()) count += p != kBg;
    return count;
}

TEST(Canvas, StartsBlankWithBlackPenAndPanelSize) {
    Canvas canvas;
    EXPECT_EQ(canvas.OuterWidth(), 302);
    EXPECT_EQ(canvas.OuterHeight(), 102);
    EXPECT_EQ(canvas.Pixels().size(), 300u * 100u);
    EXPECT_EQ(PaintedPixels(canvas), 0);
    EXPECT_EQ(canvas.PenColour(), 0x000000u);
    EXPECT_EQ(canvas.Pixel(-1, 0), kBg);
    EXPECT_EQ(canvas.Pixel(300, 99), kBg);
}

TEST(CanvasLine, VerticalLineExcludesItsEndAndIsClippedToTheArea) {
    Canvas canvas;
    canvas.SetPenColour(kRed);
    canvas.DrawLine(5, 98, 5, 102);   // rows 98, 99; 100 and 101 are outside
    int top = 0;
    EXPECT_EQ(PaintedRows(canvas, 5, &top), 2);
    EXPECT_EQ(top, 98);
    EXPECT_EQ(canvas.Pixel(5, 99), kRed);

    canvas.DrawLine(6, 40, 6, 45);    // rows 40..44
    EXPECT_EQ(PaintedRows(canvas, 6, &top), 5);
    EXPECT_EQ(top, 40);

    canvas.DrawLine(7, -3, 7, 102);   // starts above the area: fills the whole column
    EXPECT_EQ(PaintedRows(canvas, 7), 100);
    EXPECT_EQ(PaintedPixels(canvas), 2 + 5 + 100);
}

TEST(CanvasLine, ExtremeCoordinatesClipWithoutHangingOrStraying) {
    Canvas canvas;
    canvas.DrawLine(299, INT_MIN, 299, INT_MAX);
    EXPECT_EQ(PaintedRows(canvas, 299), 100);
    canvas.DrawLine(INT_MIN, 3, INT_MAX, 3);
    for (int x = 0; x < 300; ++x) ASSERT_NE(canvas.Pixel(x, 3), kBg) << x;
    canvas.DrawLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // a far diagonal through the whole area
    canvas.DrawLine(-10, 50, -10, 60);                   // entirely left of the area
    canvas.DrawLine(300, 0, 300, 100);                   // entirely right of it
    canvas.DrawLine(0, 100, 300, 100);                   // just below it
    int outside = 0;
    for (int y = 0; y < 100; ++y) outside += canvas.Pixel(-1, y) != kBg;
    EXPECT_EQ(outside, 0);
}

TEST(CanvasLine, HorizontalLinesRunEitherWayWithoutTheirEnd) {
    Canvas canvas;
    canvas.DrawLine(10, 20, 14, 20);  // 10..13
    canvas.DrawLine(14, 30, 10, 30);  // 14..11
    EXPECT_NE(canvas.Pixel(10, 20), kBg);
    EXPECT_NE(canvas.Pixel(13, 20), kBg);
    EXPECT_EQ(canvas.Pixel(14, 20), kBg);
    EXPECT_NE(canvas.Pixel(14, 30), kBg);
    EXPECT_NE(canvas.Pixel(11, 30), kBg);
    EXPECT_EQ(canvas.Pixel(10, 30), kBg);
    EXPECT_EQ(PaintedPixels(canvas), 8);
}

TEST(CanvasLine, SlopedLinesStepOnePixelPerMajorStep) {
    Canvas canvas;
    canvas.DrawLine(0, 0, 4, 4);  // diagonal: (0,0)..(3,3)
    for (int i = 0; i < 4; ++i) EXPECT_NE(canvas.Pixel(i, i), kBg) << i;
    EXPECT_EQ(canvas.Pixel(4, 4), kBg);

    Canvas shallow;
    shallow.DrawLine(0, 10, 4, 12);  // two rows over four columns: y 10, 10.5 -> 11, 11, 11.5 -> 12
    EXPECT_NE(shallow.Pixel(0, 10), kBg);
    EXPECT_NE(shallow.Pixel(1, 11), kBg);
    EXPECT_NE(shallow.Pixel(2, 11), kBg);
    EXPECT_NE(shallow.Pixel(3, 12), kBg);
    EXPECT_EQ(PaintedPixels(shallow), 4);

    Canvas point;
    point.DrawLine(50, 50, 50, 50);
    EXPECT_EQ(PaintedPixels(point), 0);
}

// Paints column x with a height that identifies it, so a shifted picture can be recognised.
void PaintColumns(Canvas& canvas) {
    for (int x = 0; x < Canvas::kWidth; ++x) {
        canvas.SetPenColour(static_cast<std::uint32_t>(x + 1));
        canvas.DrawLine(x, 99 - (x % 90), x, 100);
    }
}

TEST(CanvasCopy, OverlappingCopyOneToTheLeftShiftsThePicture) {
    Canvas canvas;
    PaintColumns(canvas);
    Canvas before = canvas;
    canvas.CopyRect(1, 0, 299, 102, 0, 0);  // the graph's scroll
    for (int x = 0; x < 299; ++x)
        for (int y = 0; y < 100; ++y) ASSERT_EQ(canvas.Pixel(x, y), before.Pixel(x + 1, y)) << x << "," << y;
    for (int y = 0; y < 100; ++y) ASSERT_EQ(canvas.Pixel(299, y), before.Pixel(299, y));
}

TEST(CanvasCopy, OverlappingCopiesRightAndDownReadBeforeTheyWrite) {
    Canvas canvas;
    PaintColumns(canvas);
    Canvas before = canvas;
    canvas.CopyRect(0, 0, 300, 100, 3, 2);
    for (int x = 3; x < 300; ++x)
        for (int y = 2; y < 100; ++y) ASSERT_EQ(canvas.Pixel(x, y), before.Pixel(x - 3, y - 2)) << x << "," << y;
    for (int y = 0; y < 100; ++y) ASSERT_EQ(canvas.Pixel(0, y), before.Pixel(0, y));
}

TEST(CanvasCopy, SourceOrDestinationOutsideTheAreaCopiesNothing) {
    Canvas canvas;
    PaintColumns(canvas);
    Canvas before = canvas;
    const auto revision = canvas.Revision();
    canvas.CopyRect(300, 0, 50, 100, 0, 0);
    canvas.CopyRect(0, 0, 10, 10, 300, 0);
    canvas.CopyRect(0, 0, -5, 10, 20, 0);
    canvas.CopyRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    EXPECT_EQ(canvas.Pixels(), before.Pixels());
    EXPECT_EQ(canvas.Revision(), revision);
}

TEST(CanvasClear, ClearIsClippedToTheArea) {
    Canvas canvas;
    PaintColumns(canvas);
    canvas.ClearRect(299, 0, 300, 102);  // the graph's clear: only the last column is inside
    EXPECT_EQ(PaintedRows(canvas, 299), 0);
    EXPECT_GT(PaintedRows(canvas, 298), 0);
    canvas.ClearRect(-5, -5, 10, 10);     // rows and columns 0..4
    EXPECT_EQ(canvas.Pixel(4, 4), kBg);
    EXPECT_EQ(canvas.Pixel(5, 99), 6u);
    canvas.ClearRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // ends before column 0: nothing inside
    EXPECT_GT(PaintedRows(canvas, 100), 0);
}

TEST(CanvasChanges, RevisionAndListenerFollowWritesOnly) {
    Canvas canvas;
    int calls = 0;
    canvas.SetChangeListener([&] { ++calls; });
    canvas.SetPenColour(kRed);          // no pixel changes
    canvas.DrawLine(400, 0, 400, 100);  // clipped away
    canvas.ClearRect(0, 0, 0, 100);     // empty
    EXPECT_EQ(canvas.Revision(), 0u);
    canvas.DrawLine(0, 0, 0, 100);
    canvas.CopyRect(0, 0, 1, 100, 1, 0);
    canvas.ClearRect(0, 0, 1, 100);
    EXPECT_EQ(canvas.Revision(), 3u);
    EXPECT_EQ(calls, 3);
}

}  // namespace
}  // namespace quorell
