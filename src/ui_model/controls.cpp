#include "ui_model/controls.h"

#include "runtime/utf8.h"
#include "ui_model/window.h"

namespace quorell {

namespace {

constexpr bool IsControlCharacter(char32_t c) {
    return c < 0x20 || c == 0x7F;
}
constexpr char32_t kBackspace = 8;

}  // namespace

Label::Label(Window& owner, const ControlDesign& design)
    : Control(owner, design),
      text_(design.text),
      textColour_(design.textColour),
      background_(design.background),
      align_(design.align) {}

void Label::SetText(std::string text) {
    if (text != text_) {
        text_ = std::move(text);
        changed_.Emit(TextChange{text_});
    }
}

void Label::SetTextColour(Rgb colour) {
    if (colour != textColour_) {
        textColour_ = colour;
        changed_.Emit(TextColourChange{colour});
    }
}

void Label::SetBackground(std::optional<Rgb> colour) {
    if (colour != background_) {
        background_ = colour;
        changed_.Emit(BackgroundChange{colour});
    }
}

ShapeBox::ShapeBox(Window& owner, const ControlDesign& design)
    : Control(owner, design), outline_(design.outline), fill_(design.fill) {}

GroupBox::GroupBox(Window& owner, const ControlDesign& design) : Control(owner, design), caption_(design.text) {}

PictureBox::PictureBox(Window& owner, const ControlDesign& design) : Control(owner, design), image_(design.image) {}

void PictureBox::DoubleClick(int x, int y, int modifiers) {
    if (Owner().Exists() && doubleClicked_) {
        doubleClicked_(x, y, modifiers);
    }
}

Button::Button(Window& owner, const ControlDesign& design) : Control(owner, design), caption_(design.text) {}

void Button::Click() {
    if (Owner().Exists() && clicked_) {
        clicked_();
    }
}

CheckBox::CheckBox(Window& owner, const ControlDesign& design) : Control(owner, design), caption_(design.text) {}

void CheckBox::SetChecked(bool checked) {
    if (checked != checked_) {
        checked_ = checked;
        changed_.Emit(CheckChange{checked});
    }
}

void CheckBox::Click() {
    if (!Owner().Exists()) {
        return;
    }
    SetChecked(!checked_);
    if (clicked_) {
        clicked_();
    }
}

EditBox::EditBox(Window& owner, const ControlDesign& design)
    : Control(owner, design), text_(design.text), background_(design.background), filter_(design.filter) {}

void EditBox::SetText(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    changed_.Emit(TextChange{text_});
    if (Owner().Exists() && contentChanged_) {
        contentChanged_();
    }
}

bool EditBox::Accepts(char32_t character) const {
    if (IsControlCharacter(character) || filter_ == EditFilter::AnyText) {
        return true;
    }
    const bool digit = character >= U'0' && character <= U'9';
    return digit || (filter_ == EditFilter::DigitsAndMinus && character == U'-');
}

bool EditBox::TypeCharacter(char32_t character) {
    if (!Accepts(character)) {
        return false;
    }
    if (character == kBackspace) {
        if (!text_.empty()) {
            // The last character by the one rule of the program: a bad byte goes alone.
            SetText(text_.substr(0, Utf8CharacterStart(text_, text_.size() - 1)));
        }
    } else if (!IsControlCharacter(character) && IsUnicodeScalarValue(character)) {
        std::string longer = text_;
        AppendUtf8(longer, character);
        SetText(std::move(longer));
    }
    return true;
}

TabControl::TabControl(Window& owner, const ControlDesign& design) : Control(owner, design), pages_(design.pages) {}

void TabControl::SelectPage(int page) {
    if (page < 1 || page > static_cast<int>(pages_.size()) || page == current_) {
        return;
    }
    current_ = page;
    changed_.Emit(PageChange{page});
}

Timer::Timer(Window& owner, const ControlDesign& design) : Control(owner, design), intervalMs_(design.intervalMs) {}

bool Timer::Running() const {
    return Owner().Exists() && intervalMs_ > 0;
}

void Timer::Tick() {
    if (Running() && tick_) {
        tick_();
    }
}

}  // namespace quorell
