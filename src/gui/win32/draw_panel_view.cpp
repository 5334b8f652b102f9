#include "gui/win32/draw_panel_view.h"

#include <algorithm>

#include "gui/win32/win32_convert.h"

namespace quorell::gui {

namespace {
constexpr wchar_t kClassName[] = L"QuorellGraph";
}  // namespace

DrawPanelView::DrawPanelView(const Window& window, DrawPanel& model, ViewLook& look, ChildPlace place)
    : ChildView(window, model, look, place), model_(model) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = Canvas::kWidth;
    info.bmiHeader.biHeight = -Canvas::kHeight;  // top-down: row 0 first, as the canvas keeps it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels_ = static_cast<std::uint32_t*>(bits);
    CopyFromCanvas({0, 0, Canvas::kWidth, Canvas::kHeight});

    RegisterClassFor(::GetModuleHandleW(nullptr), kClassName);
    Make(kClassName, L"", WS_VISIBLE);
    subscription_ = model_.Canvas().Subscribe([this](const CanvasChange& change) { Apply(change); });
}

void DrawPanelView::CopyFromCanvas(const Rect& area) {
    if (pixels_ == nullptr) {
        return;
    }
    const Canvas& canvas = model_.Canvas();
    // A 32-bit DIB holds 0x00RRGGBB, the canvas's own colour layout: rows copy as they are.
    for (int y = area.top; y < area.top + area.height; ++y) {
        canvas.ReadRow(y, area.left, area.width, pixels_ + static_cast<std::size_t>(y) * Canvas::kWidth + area.left);
    }
    ::GdiFlush();
}

RECT DrawPanelView::Drawing() const {
    const int border = std::max(1, Look().Scale(1));
    return {border, border, border + Look().Scale(Canvas::kWidth), border + Look().Scale(Canvas::kHeight)};
}

RECT DrawPanelView::ToScreen(const Rect& area) const {
    const RECT drawing = Drawing();
    const RECT scaled = Look().Scale(area);
    return {drawing.left + scaled.left, drawing.top + scaled.top, drawing.left + scaled.right,
            drawing.top + scaled.bottom};
}

void DrawPanelView::Apply(const CanvasChange& change) {
    HWND window = Hwnd();
    // Pixels are moved on the screen only at the design scale, where a move is a whole number of pixels.
    const bool scroll = change.move && window != nullptr && ::IsWindowVisible(window) && Look().Dpi() == 96;
    if (scroll) {
        // What is waiting to be painted is painted first, from the picture before this change, so that the
        // screen holds the picture the move starts from.
        ::UpdateWindow(window);
    }
    CopyFromCanvas(change.area);
    if (window == nullptr) {
        return;
    }
    const RECT destination = ToScreen(change.area);
    if (!scroll) {
        ::InvalidateRect(window, &destination, FALSE);
        return;
    }
    const Point move = *change.move;
    const Rect sourceArea{change.area.left - move.x, change.area.top - move.y, change.area.width, change.area.height};
    const RECT source = ToScreen(sourceArea);
    const RECT clip = Drawing();
    RECT scrolled;
    ::UnionRect(&scrolled, &source, &destination);
    ::IntersectRect(&scrolled, &scrolled, &clip);
    // The system invalidates what the move uncovers (and whatever of the panel was hidden); only that is painted.
    ::ScrollWindowEx(window, move.x, move.y, &scrolled, &clip, nullptr, nullptr, SW_INVALIDATE);
}

void DrawPanelView::Paint(HDC dc, const RECT& area) {
    RECT client;
    ::GetClientRect(Hwnd(), &client);
    const RECT drawing = Drawing();
    RECT inside;
    if (!(::IntersectRect(&inside, &area, &drawing) && ::EqualRect(&inside, &area))) {
        // The border, and whatever the panel holds beyond the drawing area, in the graph's background.
        GdiObject<HBRUSH> border(::CreateSolidBrush(ToColorRef(colours::kPanelBorder)));
        GdiObject<HBRUSH> background(::CreateSolidBrush(ToColorRef(Canvas::kBackground)));
        ::FillRect(dc, &client, background.Get());
        ::FrameRect(dc, &client, border.Get());
    }
    if (!::IntersectRect(&inside, &area, &drawing) || pixels_ == nullptr) {
        return;
    }
    if (!bitmapDc_) {
        bitmapDc_.Reset(::CreateCompatibleDC(dc));
    }
    Selected bitmap(bitmapDc_.Get(), bitmap_.Get());
    if (Look().Dpi() == 96) {
        ::BitBlt(dc, inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top, bitmapDc_.Get(),
                 inside.left - drawing.left, inside.top - drawing.top, SRCCOPY);
    } else {
        ::StretchBlt(dc, drawing.left, drawing.top, drawing.right - drawing.left, drawing.bottom - drawing.top,
                     bitmapDc_.Get(), 0, 0, Canvas::kWidth, Canvas::kHeight, SRCCOPY);
    }
}

LRESULT DrawPanelView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            // Painted straight to the screen: the DIB is the off-screen picture already.
            const PaintScope paint(Hwnd());
            Paint(paint.Dc(), paint.Area());
            return 0;
        }
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

}  // namespace quorell::gui
