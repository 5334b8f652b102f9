#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ui_model/colour.h"
#include "ui_model/control.h"
#include "ui_model/signal.h"

namespace quorell {

// What a notification of a control carries: the new value of what changed. A text views the control's
// own text and is valid while the observer is being called.
struct TextChange {
    std::string_view text;
};
struct TextColourChange {
    Rgb colour;
};
struct BackgroundChange {
    std::optional<Rgb> colour;  // none: transparent
};
using LabelChange = std::variant<TextChange, TextColourChange, BackgroundChange>;
struct CheckChange {
    bool checked;
};
struct PageChange {
    int page;  // 1-based
};

// A one-line text: value labels are right-aligned, text labels left-aligned.
class Label : public Control {
public:
    Label(Window& owner, const ControlDesign& design);
    const std::string& Text() const { return text_; }
    void SetText(std::string text);
    Rgb TextColour() const { return textColour_; }
    void SetTextColour(Rgb colour);
    std::optional<Rgb> Background() const { return background_; }  // none: transparent
    void SetBackground(std::optional<Rgb> colour);
    TextAlign Align() const { return align_; }
    Subscription Subscribe(std::function<void(const LabelChange&)> observer) {
        return changed_.Subscribe(std::move(observer));
    }

private:
    std::string text_;
    Rgb textColour_;
    std::optional<Rgb> background_;
    TextAlign align_;
    Signal<const LabelChange&> changed_;
};

// A rectangle with a 1-pixel outline, filled or not; it also holds other controls.
class ShapeBox : public Control {
public:
    ShapeBox(Window& owner, const ControlDesign& design);
    Rgb Outline() const { return outline_; }
    std::optional<Rgb> Fill() const { return fill_; }

private:
    Rgb outline_;
    std::optional<Rgb> fill_;
};

// A framed caption that holds other controls.
class GroupBox : public Control {
public:
    GroupBox(Window& owner, const ControlDesign& design);
    const std::string& Caption() const { return caption_; }

private:
    std::string caption_;
};

// An image; a left double-click raises the double-clicked event, a single click raises nothing.
class PictureBox : public Control {
public:
    using DoubleClickHandler = std::function<void(int x, int y, int modifiers)>;
    PictureBox(Window& owner, const ControlDesign& design);
    PictureImage Image() const { return image_; }
    void BindDoubleClicked(DoubleClickHandler handler) { doubleClicked_ = std::move(handler); }

    void Click() {}
    void DoubleClick(int x = 0, int y = 0, int modifiers = 0);

private:
    PictureImage image_;
    DoubleClickHandler doubleClicked_;
};

class Button : public Control {
public:
    Button(Window& owner, const ControlDesign& design);
    const std::string& Caption() const { return caption_; }
    void BindClicked(std::function<void()> handler) { clicked_ = std::move(handler); }
    void Click();

private:
    std::string caption_;
    std::function<void()> clicked_;
};

// A click by the user flips the tick and then raises the clicked event; SetChecked raises nothing.
class CheckBox : public Control {
public:
    CheckBox(Window& owner, const ControlDesign& design);
    const std::string& Caption() const { return caption_; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    void BindClicked(std::function<void()> handler) { clicked_ = std::move(handler); }
    void Click();
    Subscription Subscribe(std::function<void(const CheckChange&)> observer) {
        return changed_.Subscribe(std::move(observer));
    }

private:
    std::string caption_;
    bool checked_ = false;
    std::function<void()> clicked_;
    Signal<const CheckChange&> changed_;
};

// A one-line edit box. Every change of its text, by typing or by SetText, raises the content-changed
// event once. The character filter applies to typed characters only.
class EditBox : public Control {
public:
    EditBox(Window& owner, const ControlDesign& design);
    const std::string& Text() const { return text_; }
    void SetText(std::string text);
    std::optional<Rgb> Background() const { return background_; }
    EditFilter Filter() const { return filter_; }
    void BindContentChanged(std::function<void()> handler) { contentChanged_ = std::move(handler); }

    // Typing at the end of the text. Backspace (8) deletes the last character; other control
    // characters, and values that are no Unicode character (a lone surrogate, anything past U+10FFFF),
    // change nothing. Returns false when the filter refuses the character.
    bool TypeCharacter(char32_t character);
    bool Accepts(char32_t character) const;
    Subscription Subscribe(std::function<void(const TextChange&)> observer) {
        return changed_.Subscribe(std::move(observer));
    }

private:
    std::string text_;
    std::optional<Rgb> background_;
    EditFilter filter_;
    std::function<void()> contentChanged_;
    Signal<const TextChange&> changed_;
};

// Pages with captions; the controls of a page are shown only while it is the current page (1-based).
class TabControl : public Control {
public:
    TabControl(Window& owner, const ControlDesign& design);
    const std::vector<std::string>& PageCaptions() const { return pages_; }
    int CurrentPage() const { return current_; }
    void SelectPage(int page);  // ignored outside 1..page count
    Subscription Subscribe(std::function<void(const PageChange&)> observer) {
        return changed_.Subscribe(std::move(observer));
    }

private:
    std::vector<std::string> pages_;
    int current_ = 1;
    Signal<const PageChange&> changed_;
};

// An invisible timer. It ticks every interval while its window exists, shown or hidden; a view
// (or a test) drives it by calling Tick.
class Timer : public Control {
public:
    Timer(Window& owner, const ControlDesign& design);
    int IntervalMs() const { return intervalMs_; }
    void BindTick(std::function<void()> handler) { tick_ = std::move(handler); }
    // Runs the tick handler; a timer of a destroyed or not yet created window does nothing.
    void Tick();
    bool Running() const;

private:
    int intervalMs_;
    std::function<void()> tick_;
};

}  // namespace quorell
