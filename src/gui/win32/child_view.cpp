#include "gui/win32/child_view.h"

#include "ui_model/control_places.h"

namespace quorell::gui {

ChildView::ChildView(const Window& window, Control& control, ViewLook& look, ChildPlace place)
    : window_(window), control_(control), look_(look), place_(place) {}

RECT ChildView::Place() const {
    return look_.Scale(PlaceInClient(window_, control_), place_.origin);
}

HWND ChildView::Make(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle) {
    const RECT place = Place();
    hwnd_ = ::CreateWindowExW(exStyle, className, text.c_str(), style | WS_CHILD, place.left, place.top,
                              place.right - place.left, place.bottom - place.top, place_.parent, nullptr,
                              ::GetModuleHandleW(nullptr), static_cast<ChildView*>(this));
    if (hwnd_ != nullptr) {
        ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(look_.Font()), FALSE);
    }
    return hwnd_;
}

void ChildView::Relayout() {
    if (hwnd_ == nullptr) {
        return;
    }
    const RECT place = Place();
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(look_.Font()), FALSE);
    ::SetWindowPos(hwnd_, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void RegisterClassOnce(const wchar_t* name, WNDPROC procedure, UINT style) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, name, &existing)) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    ::RegisterClassExW(&windowClass);
}

ChildView* TrackView(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* made = static_cast<ChildView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
    }
    auto* view = reinterpret_cast<ChildView*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return view;
}

}  // namespace quorell::gui
