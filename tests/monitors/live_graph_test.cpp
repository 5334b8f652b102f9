#include "monitors/live_graph.h"

#include <climits>
#include <cstdint>

#include <gtest/gtest.h>

namespace quorell {
namespace {

// The painted rows of column x, which the graph always paints from some row down to the bottom.
int Height(const Canvas& canvas, int x) {
    int rows = 0;
    for (int y = 0; y < Canvas::kHeight; ++y)
        rows += canvas.Pixel(x, y) != Canvas::kBackground;
    return rows;
}

TEST(LevelColour, BoundariesBelongToTheLowerLevelAndThirtyKeepsTheLastColour) {
    struct Case {
        std::int32_t value;
        std::uint32_t colour;
    };
    for (Case c : {Case{INT_MIN, kLevelNormal}, Case{29, kLevelNormal}, Case{31, 0x0088FF}, Case{50, kLevelOrdinary},
                   Case{51, kLevelReminder}, Case{80, kLevelReminder}, Case{81, kLevelWarning}, Case{90, kLevelWarning},
                   Case{91, kLevelDanger}, Case{INT_MAX, kLevelDanger}}) {
        Canvas panel;
        ApplyLevelColour(panel, c.value);
        EXPECT_EQ(panel.PenColour(), c.colour) << c.value;
        ApplyLevelColour(panel, 30);
        EXPECT_EQ(panel.PenColour(), c.colour) << c.value;
    }
    Canvas fresh;
    ApplyLevelColour(fresh, 30);
    EXPECT_EQ(fresh.PenColour(), 0x000000u);
}

TEST(GraphColumn, HeightsFollowTheSinglePrecisionScale) {
    struct Case {
        std::int32_t value;
        int rows;
    };
    for (Case c : {Case{INT_MIN, 0}, Case{-2, 0}, Case{-1, 1}, Case{0, 2}, Case{10, 12}, Case{30, 32}, Case{50, 52},
                   Case{75, 78}, Case{96, 99}, Case{97, 100}, Case{100, 100}, Case{INT_MAX, 100}}) {
        Canvas panel;
        std::int32_t column = 0;
        DrawGraphColumn(panel, c.value, column);
        EXPECT_EQ(Height(panel, 0), c.rows) << c.value;
        EXPECT_EQ(panel.Pixel(0, 99) != Canvas::kBackground, c.rows > 0) << c.value;
        EXPECT_EQ(column, 1);
    }
}

TEST(GraphColumn, FirstScrollAtTick299LeavesATwoColumnGapThatMovesLeft) {
    Canvas panel;
    std::int32_t column = 0;
    for (int tick = 1; tick <= 298; ++tick)
        DrawGraphColumn(panel, tick, column);
    EXPECT_EQ(column, 298);
    EXPECT_EQ(Height(panel, 297), 100);
    EXPECT_EQ(Height(panel, 298), 0);

    DrawGraphColumn(panel, 10, column);  // tick 299 scrolls and draws the last column
    EXPECT_EQ(column, 300);
    EXPECT_EQ(Height(panel, 0), 4);  // tick 2, moved in from column 1
    EXPECT_EQ(Height(panel, 297), 0);
    EXPECT_EQ(Height(panel, 298), 0);
    EXPECT_EQ(Height(panel, 299), 12);

    DrawGraphColumn(panel, 0, column);
    EXPECT_EQ(column, 300);
    EXPECT_EQ(Height(panel, 295), 100);
    EXPECT_EQ(Height(panel, 296) + Height(panel, 297), 0);
    EXPECT_EQ(Height(panel, 298), 12);
    EXPECT_EQ(Height(panel, 299), 2);  // the cleared column keeps nothing of the one before

    for (int tick = 0; tick < 300; ++tick)
        DrawGraphColumn(panel, 0, column);
    for (int x = 0; x < 300; ++x)
        ASSERT_EQ(Height(panel, x), 2) << x;
}

TEST(PeakTime, DayAndTimeWithoutLeadingZeros) {
    EXPECT_EQ(FormatPeakTime(MakeDateTime(2011, 6, 6, 21, 47, 3)), "6-21:47:3");
    EXPECT_EQ(FormatPeakTime(MakeDateTime(2011, 6, 12, 9, 5, 0)), "12-9:5:0");
    EXPECT_EQ(FormatPeakTime(MakeDateTime(2012, 2, 29, 0, 0, 0)), "29-0:0:0");
}

}  // namespace
}  // namespace quorell
