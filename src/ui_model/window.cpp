#include "ui_model/window.h"

#include <stdexcept>

#include "ui_model/controls.h"
#include "ui_model/draw_panel.h"
#include "ui_model/line_chart_control.h"
#include "ui_model/menu.h"

namespace quorell {

namespace {

std::unique_ptr<Control> MakeControl(Window& owner, const ControlDesign& design) {
    switch (design.kind) {
        case ControlKind::Label:
            return std::make_unique<Label>(owner, design);
        case ControlKind::ShapeBox:
            return std::make_unique<ShapeBox>(owner, design);
        case ControlKind::PictureBox:
            return std::make_unique<PictureBox>(owner, design);
        case ControlKind::GroupBox:
            return std::make_unique<GroupBox>(owner, design);
        case ControlKind::Button:
            return std::make_unique<Button>(owner, design);
        case ControlKind::CheckBox:
            return std::make_unique<CheckBox>(owner, design);
        case ControlKind::EditBox:
            return std::make_unique<EditBox>(owner, design);
        case ControlKind::TabControl:
            return std::make_unique<TabControl>(owner, design);
        case ControlKind::DrawPanel:
            return std::make_unique<DrawPanel>(owner, design);
        case ControlKind::LineChart:
            return std::make_unique<LineChart>(owner, design);
        case ControlKind::Timer:
            return std::make_unique<Timer>(owner, design);
        case ControlKind::Menu:
            return std::make_unique<PopupMenu>(owner, design);
    }
    throw std::invalid_argument("unknown control kind for " + design.name);
}

}  // namespace

Window::Window(const WindowDesign& design)
    : kind_(design.kind),
      flags_(design.flags),
      title_(design.title),
      bounds_{0, 0, design.size.width, design.size.height} {
    for (const ControlDesign& control : design.controls) {
        if (Find(control.name) != nullptr) {
            throw std::invalid_argument("two controls named " + control.name + " in window " + design.title);
        }
        controls_.push_back(MakeControl(*this, control));
    }
}

Window::~Window() = default;

void Window::SetTitle(std::string title) {
    if (title != title_) {
        title_ = std::move(title);
        changed_.Emit(TitleChange{title_});
    }
}

void Window::SetToolTip(std::string text) {
    if (text != toolTip_) {
        toolTip_ = std::move(text);
        changed_.Emit(ToolTipChange{toolTip_});
    }
}

void Window::MoveTo(int left, int top) {
    if (left == bounds_.left && top == bounds_.top) {
        return;
    }
    bounds_.left = left;
    bounds_.top = top;
    changed_.Emit(PositionChange{Position()});
    if (Exists() && positionChanged_) {
        positionChanged_();
    }
}

void Window::SetVisible(bool visible) {
    if (state_ == WindowState::Destroyed || visible == visible_) {
        return;
    }
    visible_ = visible;
    changed_.Emit(VisibilityChange{visible});
}

void Window::BringToFront() {
    if (Exists() && OnScreen()) {
        changed_.Emit(ToFrontChange{});
    }
}

void Window::SetSteppedAside(bool aside) {
    if (aside == steppedAside_) {
        return;
    }
    steppedAside_ = aside;
    changed_.Emit(StepAsideChange{aside});
}

void Window::Create() {
    if (state_ != WindowState::NotCreated) {
        return;
    }
    state_ = WindowState::Created;
    changed_.Emit(StateChange{state_});
    if (created_) {
        created_();
    }
    if (Exists() && positionChanged_) {
        positionChanged_();
    }
}

bool Window::RequestClose() {
    if (!Exists()) {
        return false;
    }
    const bool close = mayClose_ ? mayClose_() : true;
    if (!close || !Exists()) {
        return false;
    }
    SetVisible(false);
    state_ = WindowState::Destroyed;
    changed_.Emit(StateChange{state_});
    return true;
}

bool Window::PressEscape() {
    return flags_.escCloses && RequestClose();
}

void Window::RaiseTrayEvent(TrayClick click) {
    if (Exists() && trayEvent_) {
        trayEvent_(click);
    }
}

void Window::RightClick() {
    if (Exists() && rightClicked_) {
        rightClicked_();
    }
}

Control* Window::Find(std::string_view name) const {
    for (const auto& control : controls_) {
        if (control->Name() == name) {
            return control.get();
        }
    }
    return nullptr;
}

template <typename T>
T& Window::Get(std::string_view name, ControlKind kind, const char* kindName) const {
    Control* control = Find(name);
    if (control == nullptr || control->Kind() != kind) {
        throw std::out_of_range(std::string("window ") + title_ + " has no " + kindName + " " + std::string(name));
    }
    return static_cast<T&>(*control);
}

quorell::Label& Window::Label(std::string_view name) const {
    return Get<quorell::Label>(name, ControlKind::Label, "label");
}
quorell::ShapeBox& Window::ShapeBox(std::string_view name) const {
    return Get<quorell::ShapeBox>(name, ControlKind::ShapeBox, "shape box");
}
quorell::GroupBox& Window::GroupBox(std::string_view name) const {
    return Get<quorell::GroupBox>(name, ControlKind::GroupBox, "group box");
}
quorell::PictureBox& Window::PictureBox(std::string_view name) const {
    return Get<quorell::PictureBox>(name, ControlKind::PictureBox, "picture box");
}
quorell::Button& Window::Button(std::string_view name) const {
    return Get<quorell::Button>(name, ControlKind::Button, "button");
}
quorell::CheckBox& Window::CheckBox(std::string_view name) const {
    return Get<quorell::CheckBox>(name, ControlKind::CheckBox, "check box");
}
quorell::EditBox& Window::EditBox(std::string_view name) const {
    return Get<quorell::EditBox>(name, ControlKind::EditBox, "edit box");
}
quorell::TabControl& Window::TabControl(std::string_view name) const {
    return Get<quorell::TabControl>(name, ControlKind::TabControl, "tab control");
}
quorell::Timer& Window::Timer(std::string_view name) const {
    return Get<quorell::Timer>(name, ControlKind::Timer, "timer");
}
quorell::PopupMenu& Window::Menu(std::string_view name) const {
    return Get<quorell::PopupMenu>(name, ControlKind::Menu, "menu");
}
quorell::DrawPanel& Window::DrawPanel(std::string_view name) const {
    return Get<quorell::DrawPanel>(name, ControlKind::DrawPanel, "draw panel");
}
quorell::LineChart& Window::LineChart(std::string_view name) const {
    return Get<quorell::LineChart>(name, ControlKind::LineChart, "line chart");
}

}  // namespace quorell
