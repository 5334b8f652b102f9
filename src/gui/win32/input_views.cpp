#include "gui/win32/input_views.h"

#include <commctrl.h>
#include <imm.h>

#include <string>

#include "gui/win32/win32_convert.h"
#include "gui/win32/win32_text.h"

namespace quorell::gui {

namespace {

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

ButtonView::ButtonView(const Window& window, Button& model, ViewLook& look, ChildPlace place, ViewContext& context)
    : ChildView(window, model, look, place), model_(model), context_(context) {
    Make(L"BUTTON", Wide(model.Caption()), WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
}

void ButtonView::Command(WORD code) {
    if (code == BN_CLICKED) {
        context_.Run([this] { model_.Click(); });
    }
}

CheckBoxView::CheckBoxView(const Window& window, CheckBox& model, ViewLook& look, ChildPlace place,
                           ViewContext& context)
    : ChildView(window, model, look, place), model_(model), context_(context) {
    // A plain check box: the system does not tick it, the model does.
    Make(L"BUTTON", Wide(model.Caption()), WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX);
    Show(model.Checked());
    subscription_ = model_.Subscribe([this](const CheckChange& change) { Show(change.checked); });
}

void CheckBoxView::Show(bool checked) {
    ::SendMessageW(Hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBoxView::Command(WORD code) {
    if (code == BN_CLICKED) {
        context_.Run([this] { model_.Click(); });
        Show(model_.Checked());
    }
}

std::optional<HBRUSH> CheckBoxView::Colours(HDC dc) {
    ::SetBkMode(dc, TRANSPARENT);
    ::SetBkColor(dc, Look().Face());
    return Look().FaceBrush();
}

EditBoxView::EditBoxView(const Window& window, EditBox& model, ViewLook& look, ChildPlace place, ViewContext& context)
    : ChildView(window, model, look, place), model_(model), context_(context) {
    if (const auto colour = model.Background()) {
        background_.Reset(::CreateSolidBrush(ToColorRef(*colour)));
    }
    showing_ = true;
    Make(L"EDIT", Wide(model.Text()), WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    showing_ = false;
    ::SendMessageW(Hwnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    ::SetWindowSubclass(Hwnd(), Filter, 1, reinterpret_cast<DWORD_PTR>(this));
    subscription_ = model_.Subscribe([this](const TextChange& change) { Show(change.text); });
}

EditBoxView::~EditBoxView() {
    if (::IsWindow(Hwnd())) {
        ::RemoveWindowSubclass(Hwnd(), Filter, 1);
    }
}

void EditBoxView::Show(std::string_view text) {
    const std::wstring shown = Wide(text);
    if (shown == TextOf(Hwnd())) {
        return;
    }
    showing_ = true;
    ::SetWindowTextW(Hwnd(), shown.c_str());
    showing_ = false;
}

void EditBoxView::Command(WORD code) {
    if (code == EN_CHANGE && !showing_) {
        const std::string text = Utf8(TextOf(Hwnd()));
        context_.Run([&] { model_.SetText(text); });
    }
}

std::optional<HBRUSH> EditBoxView::Colours(HDC dc) {
    if (background_.Get() == nullptr) {
        return std::nullopt;
    }
    ::SetBkColor(dc, ToColorRef(*model_.Background()));
    return background_.Get();
}

bool EditBoxView::Refuses(WPARAM unit) {
    const auto character = static_cast<wchar_t>(unit);
    if (character < 0x20 || character == 0x7F) {
        pendingHighSurrogate_ = 0;
        return false;  // control characters (backspace, the shortcuts' characters) always pass
    }
    if (character >= 0xD800 && character < 0xDC00) {
        // The first half of a character beyond the basic plane: decided with the second half.
        pendingHighSurrogate_ = character;
        return true;
    }
    char32_t full = character;
    if (character >= 0xDC00 && character < 0xE000) {
        if (pendingHighSurrogate_ == 0) {
            return true;
        }
        full = 0x10000 + ((static_cast<char32_t>(pendingHighSurrogate_) - 0xD800) << 10) + (character - 0xDC00);
    }
    pendingHighSurrogate_ = 0;
    return !model_.Accepts(full);
}

LRESULT CALLBACK EditBoxView::Filter(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
    auto* view = reinterpret_cast<EditBoxView*>(data);
    if (message == WM_IME_COMPOSITION && (lParam & GCS_RESULTSTR) != 0) {
        // The input method's finished text comes as single characters (WM_IME_CHAR), each one filtered,
        // rather than pasted into the box whole.
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_CHAR || message == WM_IME_CHAR) {
        const wchar_t high = view->pendingHighSurrogate_;
        if (view->Refuses(wParam)) {
            return 0;
        }
        if (high != 0 && wParam >= 0xDC00 && wParam < 0xE000) {
            // The held first half goes in just before the second.
            ::DefSubclassProc(window, message, high, lParam);
        }
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace quorell::gui
