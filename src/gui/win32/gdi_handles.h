#pragma once

#include <windows.h>

#include <optional>

#include "gui/win32/owned_handle.h"

namespace quorell::gui {

// Selects an object into a device context for the scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~Selected() { ::SelectObject(dc_, previous_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// One WM_PAINT: BeginPaint on making, EndPaint on ending.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { ::BeginPaint(window, &paint_); }
    ~PaintScope() { ::EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const { return paint_.hdc; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// WM_PAINT drawn into an off-screen bitmap of the area to repaint and copied to the screen in one go, so
// nothing flickers. Drawing uses the window's client coordinates.
class BufferedPaint {
public:
    explicit BufferedPaint(HWND window);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    HDC Dc() const { return buffer_ ? memory_.Get() : paint_.Dc(); }
    const RECT& Area() const { return paint_.Area(); }

private:
    // Freed in the reverse order of making: the bitmap, then the memory DC, and the paint ends last.
    PaintScope paint_;
    MemoryDc memory_;
    GdiObject<HBITMAP> bitmap_;
    bool buffer_ = false;
    HGDIOBJ previous_ = nullptr;
};

// The paint messages of a surface that draws all of itself: nothing to erase (the paint covers it),
// WM_PAINT through an off-screen picture, WM_PRINTCLIENT (a themed control asking for what lies behind
// it) straight into the caller's DC, left as it was. `paint(dc, area)` draws `area`, in client coordinates. Nothing for
// any other message.
template <typename Paint>
std::optional<LRESULT> AnswerPaint(HWND window, UINT message, WPARAM wParam, Paint&& paint) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const BufferedPaint buffer(window);
            paint(buffer.Dc(), buffer.Area());
            return 0;
        }
        case WM_PRINTCLIENT: {
            // The DC is the caller's: it gets back the objects and settings it had.
            const auto dc = reinterpret_cast<HDC>(wParam);
            const int saved = ::SaveDC(dc);
            RECT client{};
            ::GetClientRect(window, &client);
            paint(dc, client);
            ::RestoreDC(dc, saved);
            return 0;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace quorell::gui
