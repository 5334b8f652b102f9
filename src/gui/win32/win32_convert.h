#pragma once

#include <windows.h>

#include <cstdint>

namespace quorell::gui {

// A colour of the model (0xRRGGBB) as GDI takes it (0x00BBGGRR).
constexpr COLORREF ToColorRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The point a mouse message carries in its lParam; on a second screen left of or above the first its
// coordinates are negative, so each half is signed.
constexpr POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace quorell::gui
