#pragma once

#include <windows.h>

#include <uxtheme.h>

#include <utility>

namespace quorell::gui {

// Owns one handle of the system and frees it with `Free` when the owner ends or takes another: every
// handle kind of the front end is owned this way, so none is freed by hand. Moving hands the handle on;
// the moved-from owner holds none.
template <typename Handle, auto Free>
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // Frees the handle held and keeps `handle` instead.
    void Reset(Handle handle = nullptr) {
        const Handle previous = std::exchange(handle_, handle);
        if (previous != nullptr && previous != handle) {
            Free(previous);
        }
    }
    // Gives the handle up without freeing it.
    Handle Release() { return std::exchange(handle_, nullptr); }

private:
    Handle handle_ = nullptr;
};

// Each kind's release call, with the result the owners have no use for dropped.
struct FreeHandle {
    static void GdiObject(HGDIOBJ object) { ::DeleteObject(object); }
    static void MemoryDc(HDC dc) { ::DeleteDC(dc); }
    static void ScreenDc(HDC dc) { ::ReleaseDC(nullptr, dc); }
    static void Menu(HMENU menu) { ::DestroyMenu(menu); }
    static void Icon(HICON icon) { ::DestroyIcon(icon); }
    static void Window(HWND window) { ::DestroyWindow(window); }
    static void Theme(HTHEME theme) { ::CloseThemeData(theme); }
};

// A font, brush, pen or bitmap.
template <typename Handle>
using GdiObject = OwnedHandle<Handle, &FreeHandle::GdiObject>;
// A device context of our own (CreateCompatibleDC).
using MemoryDc = OwnedHandle<HDC, &FreeHandle::MemoryDc>;
// The whole screen's device context (GetDC of no window).
using ScreenDc = OwnedHandle<HDC, &FreeHandle::ScreenDc>;
using OwnedMenu = OwnedHandle<HMENU, &FreeHandle::Menu>;
// An icon loaded or made for this program alone (not shared with the system).
using OwnedIcon = OwnedHandle<HICON, &FreeHandle::Icon>;
// A window that no object of this program handles the messages of (a tooltip, say).
using OwnedWindow = OwnedHandle<HWND, &FreeHandle::Window>;
using OwnedTheme = OwnedHandle<HTHEME, &FreeHandle::Theme>;

}  // namespace quorell::gui
