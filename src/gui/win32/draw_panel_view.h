#pragma once

#include <cstdint>

#include "gui/win32/child_view.h"
#include "gui/win32/gdi_handles.h"
#include "ui_model/draw_panel.h"

namespace quorell::gui {

// The live graph: a child window with a 1-pixel border around a 300 x 100 top-down 32-bit DIB section that
// is kept equal to the model's canvas. A move of the canvas's pixels (the graph's step) moves the pixels on
// the screen too, and only what the move uncovered is painted; other changes repaint only their area.
class DrawPanelView final : public ChildView {
public:

    DrawPanelView(const Window& window, DrawPanel& model, ViewLook& look, ChildPlace place);

    // The DIB's pixels, row 0 at the top, 0x00RRGGBB (for checks).
    const std::uint32_t* Pixels() const { return pixels_; }

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Apply(const CanvasChange& change);
    void CopyFromCanvas(const Rect& area);
    void Paint(HDC dc, const RECT& area);
    // The drawing area's rectangle in the panel, in device pixels.
    RECT Drawing() const;
    RECT ToScreen(const Rect& canvasArea) const;

    DrawPanel& model_;
    GdiObject<HBITMAP> bitmap_;
    std::uint32_t* pixels_ = nullptr;
    MemoryDc bitmapDc_;
    Subscription subscription_;
};

}  // namespace quorell::gui
