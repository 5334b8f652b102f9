#pragma once

#include <windows.h>

#include <map>

#include "gui/win32/gdi_handles.h"
#include "ui_model/geometry.h"

namespace quorell::gui {

// What every view of one window draws with, at the window's DPI: the scale from design pixels (96 dpi) to
// device pixels, the system's Chinese UI font in the sizes the layouts were made for, and the face colour.
class ViewLook {
public:
    explicit ViewLook(UINT dpi);
    ViewLook(const ViewLook&) = delete;
    ViewLook& operator=(const ViewLook&) = delete;

    UINT Dpi() const { return dpi_; }
    // Remakes the fonts for a new DPI.
    void SetDpi(UINT dpi);

    int Scale(int designPixels) const { return ::MulDiv(designPixels, static_cast<int>(dpi_), 96); }
    // A design rectangle in device pixels, edges scaled so that neighbours stay neighbours.
    RECT Scale(const Rect& rect) const;
    RECT Scale(const Rect& rect, Point origin) const;

    // Labels, buttons, captions; the chart titles; the chart axes.
    HFONT Font() const { return font_.Get(); }
    HFONT TitleFont() const { return titleFont_.Get(); }
    HFONT AxisFont() const { return axisFont_.Get(); }
    // The label font drawn at `percent` of its normal width (made once per width).
    HFONT NarrowFont(int percent);

    // Behind the controls; never the see-through key colour of the graphs.
    COLORREF Face() const { return face_; }
    HBRUSH FaceBrush() const { return faceBrush_.Get(); }
    HBRUSH WhiteBrush() const { return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)); }

private:
    void MakeFonts();

    UINT dpi_;
    LOGFONTW base_{};
    GdiObject<HFONT> font_;
    GdiObject<HFONT> titleFont_;
    GdiObject<HFONT> axisFont_;
    std::map<int, GdiObject<HFONT>> narrow_;
    COLORREF face_;
    GdiObject<HBRUSH> faceBrush_;
};

// The window's DPI, or 96 where the system cannot tell (before Windows 10, 1607).
UINT DpiOf(HWND window);

}  // namespace quorell::gui
