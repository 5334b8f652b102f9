#include "gui/win32/gdi_handles.h"

namespace quorell::gui {

BufferedPaint::BufferedPaint(HWND window) : paint_(window) {
    const RECT& area = paint_.Area();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    memory_.Reset(::CreateCompatibleDC(paint_.Dc()));
    bitmap_.Reset(::CreateCompatibleBitmap(paint_.Dc(), width, height));
    if (!memory_ || !bitmap_) {
        // Out of GDI memory: draw straight to the screen rather than not at all.
        return;
    }
    buffer_ = true;
    previous_ = ::SelectObject(memory_.Get(), bitmap_.Get());
    ::SetViewportOrgEx(memory_.Get(), -area.left, -area.top, nullptr);
}

BufferedPaint::~BufferedPaint() {
    if (buffer_) {
        const RECT& area = paint_.Area();
        ::BitBlt(paint_.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, memory_.Get(),
                 area.left, area.top, SRCCOPY);
        ::SelectObject(memory_.Get(), previous_);
    }
}

}  // namespace quorell::gui
