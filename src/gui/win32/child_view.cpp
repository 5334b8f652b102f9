#include "gui/win32/child_view.h"

#include "ui_model/control_places.h"

namespace quorell::gui {

ChildView::ChildView(const Window& window, Control& control, ViewLook& look, ChildPlace place)
    : window_(window), control_(control), look_(look), place_(place) {}

RECT ChildView::Place() const {
    return look_.Scale(PlaceInClient(window_, control_), place_.origin);
}

HWND ChildView::Make(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle) {
    const HWND made =
        Create(exStyle, className, text.c_str(), style | WS_CHILD, Place(), place_.parent, ::GetModuleHandleW(nullptr));
    if (made != nullptr) {
        ::SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(look_.Font()), FALSE);
    }
    return made;
}

void ChildView::Relayout() {
    const HWND window = Hwnd();
    if (window == nullptr) {
        return;
    }
    const RECT place = Place();
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(look_.Font()), FALSE);
    ::SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quorell::gui
