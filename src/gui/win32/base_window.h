#pragma once

#include <windows.h>

#include <utility>

namespace quorell::gui {

// Registers a window class of this program once per run (a later call with the same name finds it
// registered). False when the class is not there.
bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);

// The tie between a window and the object of this program that handles its messages, written once for
// every window class of the front end. `Owner` derives from BaseWindow<Owner> and handles messages in
//     LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
// (one switch per class, `default:` to DefWindowProc), which BaseWindow may reach as a friend.
//
// Create passes the object as the creation parameter; Procedure, the window procedure of the classes
// RegisterClassFor registers, attaches it at WM_NCCREATE, hands it every message from then on and lets it
// go at WM_NCDESTROY, when Handle() becomes null. A window of a system class (a button, an edit box) has a
// procedure of its own: Handle() holds it, but it is its parent's to destroy.
//
// Destroy() lets go of the window before destroying it, so no message of the destruction reaches an
// object that is ending. An object that ends with its window still attached destroys it the same way,
// but only after its own members have ended: an owner whose child windows' objects are among its
// members calls Destroy() in its destructor.
template <typename Owner>
class BaseWindow {
public:
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    HWND Handle() const { return hwnd_; }

protected:
    BaseWindow() = default;
    ~BaseWindow() {
        if (attached_) {
            Destroy();
        }
    }

    static bool RegisterClassFor(HINSTANCE instance, const wchar_t* className) {
        return RegisterWindowClass(instance, className, &Procedure);
    }

    HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, RECT place, HWND parent,
                HINSTANCE instance) {
        const HWND made =
            ::CreateWindowExW(exStyle, className, title, style, place.left, place.top, place.right - place.left,
                              place.bottom - place.top, parent, nullptr, instance, static_cast<Owner*>(this));
        if (made != nullptr) {
            hwnd_ = made;
        }
        return made;
    }

    void Destroy() {
        const HWND window = std::exchange(hwnd_, nullptr);
        if (window == nullptr) {
            return;
        }
        if (std::exchange(attached_, false)) {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        }
        ::DestroyWindow(window);
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* made = static_cast<Owner*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
            if (made != nullptr) {
                BaseWindow& base = *made;
                base.hwnd_ = window;
                base.attached_ = true;
                ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
            }
        }
        auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (owner == nullptr) {
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            BaseWindow& base = *owner;
            base.hwnd_ = nullptr;
            base.attached_ = false;
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
        return owner->OnMessage(message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
    bool attached_ = false;
};

}  // namespace quorell::gui
