#include "ui_model/canvas.h"

#include <climits>
#include <cstdint>

#include <gtest/gtest.h>

namespace quorell {
namespace {

constexpr std::uint32_t kBg = Canvas::kBackground;

int Painted(const Canvas& canvas) {
    int count = 0;
    for (std::uint32_t p : canvas.Pixels())
        count += p != kBg;
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
    for (int y = 0; y < 100; ++y)
        ASSERT_NE(canvas.Pixel(299, y), kBg) << y;
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

// Every pixel of a canvas kept as a plain array, copied pixel by pixel: what the canvas must show.
struct PlainPicture {
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(Canvas::kWidth * Canvas::kHeight, kBg);
    std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y * Canvas::kWidth + x)]; }
    void Copy(int left, int width, int toLeft) {  // whole rows' worth of height
        const std::vector<std::uint32_t> before = pixels;
        for (int y = 0; y < Canvas::kHeight; ++y) {
            for (int x = left; x < left + width; ++x) {
                const int to = x + toLeft - left;
                if (x >= 0 && x < Canvas::kWidth && to >= 0 && to < Canvas::kWidth) {
                    At(to, y) = before[static_cast<std::size_t>(y * Canvas::kWidth + x)];
                }
            }
        }
    }
};

TEST(CanvasCopy, SidewaysCopiesOfTheWholePictureKeepEveryPixelAsAPlainCopyWould) {
    Canvas canvas;
    PlainPicture plain;
    const int shifts[][3] = {{1, 299, 0}, {0, 300, 7}, {5, 295, 0}, {0, 300, 150}, {150, 150, 0}, {1, 299, 0}};
    for (int step = 0; step < 700; ++step) {
        // A graph step: scroll one column left, blank the last one, draw a new bar; now and then
        // another sideways copy of the whole picture, in either direction.
        const int* shift = shifts[step % 97 == 0 ? (step / 97) % 6 : 0];
        canvas.CopyRect(shift[0], 0, shift[1], 102, shift[2], 0);
        plain.Copy(shift[0], shift[1], shift[2]);
        canvas.ClearRect(299, 0, 1, 100);
        for (int y = 0; y < 100; ++y)
            plain.At(299, y) = kBg;
        const auto colour = static_cast<std::uint32_t>(step * 7919 % 0xFFFFFF);
        const int top = 99 - step % 100;
        canvas.SetPenColour(colour);
        canvas.DrawLine(298, top, 298, 100);
        for (int y = top; y < 100; ++y)
            plain.At(298, y) = colour;
        if (step % 50 == 0 || step > 690) {
            ASSERT_EQ(canvas.Pixels(), plain.pixels) << "step " << step;
            std::vector<std::uint32_t> row(40);
            canvas.ReadRow(50, 270, 30, row.data());
            for (int i = 0; i < 30; ++i)
                ASSERT_EQ(row[i], plain.At(270 + i, 50)) << i;
        }
    }
}

TEST(CanvasCopy, RectanglesOutsideTheAreaCopyAndClearNothing) {
    Canvas canvas = Striped();
    const auto pixels = canvas.Pixels();
    int changes = 0;
    const Subscription counting = canvas.Subscribe([&](const CanvasChange&) { ++changes; });
    canvas.CopyRect(300, 0, 50, 100, 0, 0);
    canvas.CopyRect(0, 0, -5, 10, 20, 0);
    canvas.CopyRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    canvas.ClearRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(canvas.Pixels(), pixels);
    EXPECT_EQ(changes, 0);
    canvas.ClearRect(299, 0, 300, 102);  // the graph's clear: only the last column lies inside
    EXPECT_EQ(canvas.Pixel(299, 99), kBg);
    EXPECT_EQ(canvas.Pixel(298, 99), 299u);
}

TEST(CanvasChanges, OnlyOperationsThatWritePixelsNotify) {
    Canvas canvas;
    int calls = 0;
    const Subscription counting = canvas.Subscribe([&](const CanvasChange&) { ++calls; });
    canvas.SetPenColour(0xFF0000);
    canvas.DrawLine(400, 0, 400, 100);
    canvas.ClearRect(0, 0, 0, 100);
    canvas.DrawLine(0, 0, 0, 100);
    canvas.CopyRect(0, 0, 1, 100, 1, 0);
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace quorell
