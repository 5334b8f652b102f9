#include "monitors/live_graph.h"

#include <algorithm>
#include <cmath>

#include "runtime/value_text.h"

namespace quorell {

void ApplyLevelColour(Canvas& panel, std::int32_t percent) {
    // Each later test overrides the earlier ones; exactly 30 passes none of them.
    if (percent < 30)
        panel.SetPenColour(kLevelNormal);
    if (percent > 30)
        panel.SetPenColour(kLevelOrdinary);
    if (percent > 50)
        panel.SetPenColour(kLevelReminder);
    if (percent > 80)
        panel.SetPenColour(kLevelWarning);
    if (percent > 90)
        panel.SetPenColour(kLevelDanger);
}

void DrawGraphColumn(Canvas& panel, std::int32_t percent, std::int32_t& graphColumn) {
    const int width = panel.OuterWidth();
    const int height = panel.OuterHeight();
    // The scale is held in single precision (1.0199999809265137 for a height of 102): the column
    // heights of the graph depend on that rounding.
    const double scale = static_cast<float>(height / 100.0);
    const double bar = std::trunc(static_cast<double>(percent) * scale);

    if (static_cast<double>(width - 5) - graphColumn < -1e-7) {
        // Full: move the drawing area one pixel to the left and blank the last column.
        panel.CopyRect(1, 0, width - 3, height, 0, 0);
        panel.ClearRect(width - 3, 0, width - 2, height);
        graphColumn = width - 2;
    } else {
        ++graphColumn;
    }

    const int x = graphColumn - 1;
    // A huge percentage puts the top far above the panel; holding it within a billion rows keeps it
    // an int and draws the same clipped column.
    const double top = std::trunc(static_cast<double>(height) - bar - scale - 2.0);
    const int y = static_cast<int>(std::clamp(top, -1e9, 1e9));
    panel.DrawLine(x, y, x, height);
}

std::string FormatPeakTime(DateTime now) {
    return Concat(ToText(Day(now)), "-", ToText(Hour(now)), ":", ToText(Minute(now)), ":", ToText(Second(now)));
}

}  // namespace quorell
