#pragma once

#include "gui/win32/child_view.h"
#include "gui/win32/view_context.h"
#include "ui_model/controls.h"

namespace quorell::gui {

// A push button: a click is the model button's click.
class ButtonView final : public ChildView {
public:
    ButtonView(const Window& window, Button& model, ViewLook& look, ChildPlace place, ViewContext& context);
    void Command(WORD code) override;

private:
    Button& model_;
    ViewContext& context_;
};

// The check box. The model flips the tick on a click; the box always shows the model's state.
class CheckBoxView final : public ChildView {
public:
    CheckBoxView(const Window& window, CheckBox& model, ViewLook& look, ChildPlace place, ViewContext& context);
    void Command(WORD code) override;
    std::optional<HBRUSH> Colours(HDC dc) override;

private:
    void Show(bool checked);

    CheckBox& model_;
    ViewContext& context_;
    Subscription subscription_;
};

// A one-line edit box. Typed characters that the model refuses never reach the box; every change of the
// box's text goes to the model, and the model's changes are shown when they differ from what is there.
class EditBoxView final : public ChildView {
public:
    EditBoxView(const Window& window, EditBox& model, ViewLook& look, ChildPlace place, ViewContext& context);
    ~EditBoxView() override;
    void Command(WORD code) override;
    std::optional<HBRUSH> Colours(HDC dc) override;

private:
    static LRESULT CALLBACK Filter(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR data);
    bool Refuses(WPARAM character);
    void Show(std::string_view text);

    EditBox& model_;
    ViewContext& context_;
    GdiObject<HBRUSH> background_;
    bool showing_ = false;
    wchar_t pendingHighSurrogate_ = 0;
    Subscription subscription_;
};

}  // namespace quorell::gui
