#include "gui/win32/gdi_handles.h"

namespace quorell::gui {

BufferedPaint::BufferedPaint(HWND window) : window_(window) {
    ::BeginPaint(window, &paint_);
    const RECT& area = paint_.rcPaint;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    memory_ = ::CreateCompatibleDC(paint_.hdc);
    bitmap_ = ::CreateCompatibleBitmap(paint_.hdc, width, height);
    if (memory_ == nullptr || bitmap_ == nullptr) {
        // Out of GDI memory: draw straight to the screen rather than not at all.
        if (memory_ != nullptr) {
            ::DeleteDC(memory_);
            memory_ = nullptr;
        }
        return;
    }
    previous_ = ::SelectObject(memory_, bitmap_);
    ::SetViewportOrgEx(memory_, -area.left, -area.top, nullptr);
}

BufferedPaint::~BufferedPaint() {
    if (memory_ != nullptr) {
        const RECT& area = paint_.rcPaint;
        ::BitBlt(paint_.hdc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory_, area.left,
                 area.top, SRCCOPY);
        ::SelectObject(memory_, previous_);
        ::DeleteDC(memory_);
    }
    if (bitmap_ != nullptr) {
        ::DeleteObject(bitmap_);
    }
    ::EndPaint(window_, &paint_);
}

}  // namespace quorell::gui
