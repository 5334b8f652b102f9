#pragma once

#include <cstdint>
#include <string>

#include "ui_model/canvas.h"
#include "runtime/date_time.h"

namespace quorell {

// The display scheme every monitor window shares: a level colour picked from the current percentage,
// a scrolling graph drawn one column per tick on the window's draw panel, and the peak-time text.

// Level colours, 0xRRGGBB.
inline constexpr std::uint32_t kLevelNormal = 0x008000;    // below 30: dark green
inline constexpr std::uint32_t kLevelOrdinary = 0x0088FF;  // above 30: sky blue
inline constexpr std::uint32_t kLevelReminder = 0x606060;  // above 50: dark grey
inline constexpr std::uint32_t kLevelWarning = 0xFF8000;   // above 80: orange
inline constexpr std::uint32_t kLevelDanger = 0xFF0000;    // above 90: red

// Sets the panel's pen to the level colour of `percent`. Exactly 30 matches no level and keeps the
// pen as it was (black on a fresh panel); 50, 80 and 90 belong to the lower level.
void ApplyLevelColour(Canvas& panel, std::int32_t percent);

// Draws the column for `percent` and advances `graphColumn` (one more than the column last drawn;
// 0 before the first). Once the panel is full, each call first scrolls the picture one pixel to the
// left and clears the last column, so the newest column is always the rightmost. Values above 100
// or below 0 are clipped by the panel.
void DrawGraphColumn(Canvas& panel, std::int32_t percent, std::int32_t& graphColumn);

// "day-hour:minute:second" without leading zeros, e.g. "6-21:47:3", all from one reading of the clock.
std::string FormatPeakTime(DateTime now);

}  // namespace quorell
