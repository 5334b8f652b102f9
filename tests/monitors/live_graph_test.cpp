#include "monitors/live_graph.h"

#include <climits>
#include <cstdint>

#include <gtest/gtest.h>

namespace quorell {
namespace {

constexpr std::uint32_t kBg = Canvas::kBackground;

// Painted rows in column x and the topmost of them (-1 when the column is empty).
struct ColumnShape {
    int rows = 0;
    int top = -1;
};

ColumnShape Shape(const Canvas& canvas, int x) {
    ColumnShape shape;
    for (int y = 0; y < Canvas::kHeight; ++y) {
        if (canvas.Pixel(x, y) == kBg) continue;
        if (shape.top < 0) shape.top = y;
        ++shape.rows;
    }
    return shape;
}

bool ColumnIsSolid(const Canvas& canvas, int x) {
    const ColumnShape shape = Shape(canvas, x);
    return shape.rows > 0 && shape.top + shape.rows == Canvas::kHeight;
}

TEST(LevelColour, EachBoundaryBelongsToTheLowerLevel) {
    struct Case { std::int32_t value; std::uint32_t colour; };
    for (Case c : {Case{-1, kLevelNormal}, Case{29, kLevelNormal}, Case{31, kLevelOrdinary},
                   Case{50, kLevelOrdinary}, Case{51, kLevelReminder}, Case{80, kLevelReminder},
                   Case{81, kLevelWarning}, Case{90, kLevelWarning}, Case{91, kLevelDanger},
                   Case{INT_MAX, kLevelDanger}, Case{INT_MIN, kLevelNormal}}) {
        Canvas panel;
        ApplyLevelColour(panel, c.value);
        EXPECT_EQ(panel.PenColour(), c.colour) << c.value;
    }
}

TEST(LevelColour, ThirtyKeepsWhateverColourWasSet) {
    Canvas panel;
    ApplyLevelColour(panel, 30);
    EXPECT_EQ(panel.PenColour(), 0x000000u);  // a fresh panel draws 30 in black
    ApplyLevelColour(panel, 10);
    ApplyLevelColour(panel, 30);
    EXPECT_EQ(panel.PenColour(), kLevelNormal);
    ApplyLevelColour(panel, 45);
    ApplyLevelColour(panel, 30);
    EXPECT_EQ(panel.PenColour(), kLevelOrdinary);
    ApplyLevelColour(panel, 31);
    EXPECT_EQ(panel.PenColour(), 0x0088FFu);
}

TEST(GraphColumn, HeightsFollowTheSinglePrecisionScale) {
    struct Case { std::int32_t value; int rows; };
    for (Case c : {Case{-1, 1}, Case{0, 2}, Case{10, 12}, Case{30, 32}, Case{50, 52}, Case{75, 78},
                   Case{96, 99}, Case{97, 100}, Case{99, 100}, Case{100, 100}, Case{INT_MAX, 100}, Case{-2, 0},
                   Case{INT_MIN, 0}}) {
        Canvas panel;
        std::int32_t column = 0;
        DrawGraphColumn(panel, c.value, column);
        const ColumnShape shape = Shape(panel, 0);
        EXPECT_EQ(shape.rows, c.rows) << c.value;
        if (c.rows > 0) {
            EXPECT_EQ(shape.top, 100 - c.rows) << c.value;
        }
        EXPECT_EQ(column, 1);
    }
}

TEST(GraphColumn, ColumnIsDrawnInThePenColour) {
    Canvas panel;
    std::int32_t column = 0;
    ApplyLevelColour(panel, 95);
    DrawGraphColumn(panel, 95, column);
    EXPECT_EQ(panel.Pixel(0, 99), kLevelDanger);
    EXPECT_EQ(panel.Pixel(1, 99), kBg);
}

TEST(GraphColumn, FillsLeftToRightThenScrollsAtTick299LeavingATwoColumnGap) {
    Canvas panel;
    std::int32_t column = 0;
    for (int tick = 1; tick <= 297; ++tick) DrawGraphColumn(panel, 99, column);
    EXPECT_EQ(column, 297);
    EXPECT_TRUE(ColumnIsSolid(panel, 296));
    EXPECT_EQ(Shape(panel, 297).rows, 0);

    DrawGraphColumn(panel, 99, column);  // tick 298: still no scroll
    EXPECT_EQ(column, 298);
    EXPECT_TRUE(ColumnIsSolid(panel, 297));
    EXPECT_EQ(Shape(panel, 298).rows, 0);
    EXPECT_EQ(Shape(panel, 299).rows, 0);

    DrawGraphColumn(panel, 99, column);  // tick 299: first scroll, drawn at the last column
    EXPECT_EQ(column, 300);
    EXPECT_TRUE(ColumnIsSolid(panel, 296));
    EXPECT_EQ(Shape(panel, 297).rows, 0);
    EXPECT_EQ(Shape(panel, 298).rows, 0);
    EXPECT_TRUE(ColumnIsSolid(panel, 299));

    DrawGraphColumn(panel, 99, column);  // the gap moves one pixel to the left per tick
    EXPECT_EQ(column, 300);
    EXPECT_TRUE(ColumnIsSolid(panel, 295));
    EXPECT_EQ(Shape(panel, 296).rows, 0);
    EXPECT_EQ(Shape(panel, 297).rows, 0);
    EXPECT_TRUE(ColumnIsSolid(panel, 298));
    EXPECT_TRUE(ColumnIsSolid(panel, 299));

    for (int tick = 0; tick < 300; ++tick) DrawGraphColumn(panel, 99, column);
    for (int x = 0; x < 300; ++x) ASSERT_TRUE(ColumnIsSolid(panel, x)) << x;  // the gap has left
}

TEST(GraphColumn, ScrollKeepsEachPastColumnAndClearsTheNewOne) {
    Canvas panel;
    std::int32_t column = 0;
    auto valueOfTick = [](int tick) { return static_cast<std::int32_t>((tick * 7) % 97); };
    const int ticks = 420;
    for (int tick = 1; tick <= ticks; ++tick) DrawGraphColumn(panel, valueOfTick(tick), column);
    // Ticks 299 to 420 scrolled 122 times: columns 178..299 hold those ticks, newest at the right,
    // and the two-column gap of the first scroll has moved to columns 176 and 177.
    for (int x = 299; x >= 178; --x) {
        const int tick = ticks - (299 - x);
        std::int32_t fresh = 0;
        Canvas expected;
        DrawGraphColumn(expected, valueOfTick(tick), fresh);
        ASSERT_EQ(Shape(panel, x).rows, Shape(expected, 0).rows) << "column " << x;
    }
    EXPECT_EQ(Shape(panel, 177).rows, 0);
    EXPECT_EQ(Shape(panel, 176).rows, 0);
    EXPECT_GT(Shape(panel, 175).rows, 0);
}

TEST(GraphColumn, ALowColumnAfterAHighOneLeavesNoTrace) {
    Canvas panel;
    std::int32_t column = 0;
    for (int tick = 0; tick < 300; ++tick) DrawGraphColumn(panel, 100, column);
    DrawGraphColumn(panel, 0, column);
    EXPECT_EQ(Shape(panel, 299).rows, 2);
}

TEST(PeakTime, DayAndTimeWithoutLeadingZeros) {
    EXPECT_EQ(FormatPeakTime(MakeDateTime(2011, 6, 6, 21, 47, 3)), "6-21:47:3");
    EXPECT_EQ(FormatPeakTime(MakeDateTime(2011, 6, 12, 9, 5, 0)), "12-9:5:0");
    EXPECT_EQ(FormatPeakTime(MakeDateTime(2012, 2, 29, 0, 0, 0)), "29-0:0:0");
    EXPECT_EQ(FormatPeakTime(MakeDateTime(2011, 12, 31, 23, 59, 59)), "31-23:59:59");
}

}  // namespace
}  // namespace quorell
