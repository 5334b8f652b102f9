#pragma once

#include <cstdint>

namespace quorell {

// A colour as 0xRRGGBB: red in the high byte, blue in the low byte, as a view toolkit takes it.
// Colour values of the Windows GDI form 0xBBGGRR map by swapping the outer bytes: the GDI red
// 0x0000FF is Rgb 0xFF0000, the GDI orange 0x0080FF is Rgb 0xFF8000. Greys read the same either way.
using Rgb = std::uint32_t;

inline constexpr Rgb RgbOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return (Rgb{red} << 16) | (Rgb{green} << 8) | Rgb{blue};
}

// Converts a GDI colour value 0xBBGGRR to Rgb.
inline constexpr Rgb RgbFromGdi(std::uint32_t bgr) {
    return ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}

namespace colours {
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kRed = 0xFF0000;
inline constexpr Rgb kBlue = 0x0000FF;
inline constexpr Rgb kMagenta = 0xFF00FF;
inline constexpr Rgb kFrameGrey = 0x606060;
inline constexpr Rgb kGraphBackground = 0xECECEC;  // also the colour that see-through monitor windows hide
inline constexpr Rgb kChartGrid = 0x646464;
// What the views draw around the model's own colours.
inline constexpr Rgb kWindowFace = 0xF0F0F0;  // behind the controls; never the see-through key colour
inline constexpr Rgb kPanelBorder = 0x646464;
inline constexpr Rgb kCloseMark = 0xE01010;
inline constexpr Rgb kChartBackground = kWhite;
inline constexpr Rgb kChartTitle = kBlack;
inline constexpr Rgb kChartAxisText = 0x404040;
}  // namespace colours

}  // namespace quorell
