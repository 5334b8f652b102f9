#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ui_model/control.h"
#include "ui_model/geometry.h"
#include "ui_model/signal.h"
#include "ui_model/tray_click.h"
#include "ui_model/window_design.h"

namespace quorell {

class Label;
class ShapeBox;
class GroupBox;
class PictureBox;
class Button;
class CheckBox;
class EditBox;
class TabControl;
class Timer;
class PopupMenu;
class DrawPanel;
class LineChart;

enum class WindowState { NotCreated, Created, Destroyed };

// What a notification of a window carries: the new value of what changed. The title views the
// window's own title and is valid while the observer is being called.
struct PositionChange {
    Point position;
};
struct VisibilityChange {
    bool visible;
};
struct TitleChange {
    std::string_view title;
};
struct StateChange {
    WindowState state;
};
// The text shown while the pointer rests on the window; valid while the observer is being called.
struct ToolTipChange {
    std::string_view text;
};
// The window steps aside (leaves the screen for a while, not by the user's choice) or comes back.
struct StepAsideChange {
    bool aside;
};
// The user asked for the shown window: it comes in front of the others and takes the keyboard.
struct ToFrontChange {};
using WindowChange = std::variant<PositionChange, VisibilityChange, TitleChange, StateChange, ToolTipChange,
                                  StepAsideChange, ToFrontChange>;

// One top-level window as the user sees it: place, visibility, title, flags and controls, with the
// events that user input raises. Handlers are bound by the application; views observe the changes.
// Events are raised only while the window exists (after Create, before it is destroyed).
class Window {
public:
    explicit Window(const WindowDesign& design);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    WindowKind Kind() const { return kind_; }
    const WindowFlags& Flags() const { return flags_; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title);
    const std::string& ToolTip() const { return toolTip_; }
    void SetToolTip(std::string text);

    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    Point Position() const { return {bounds_.left, bounds_.top}; }
    Size OuterSize() const { return {bounds_.width, bounds_.height}; }
    const Rect& Bounds() const { return bounds_; }
    // A move that changes the position raises the position-changed event inside the call.
    void SetLeft(int left) { MoveTo(left, bounds_.top); }
    void SetTop(int top) { MoveTo(bounds_.left, top); }
    void MoveTo(int left, int top);

    // Whether the user has the window shown; what the menus, the buttons and the saved state follow.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Brings a window that is on screen in front of the others; nothing for one that is not.
    void BringToFront();
    // A window that steps aside leaves the screen for a while (another program fills it) without the
    // user's choice changing; a hidden window that steps aside stays hidden when it comes back.
    bool SteppedAside() const { return steppedAside_; }
    void SetSteppedAside(bool aside);
    // What the views show: shown by the user and not stepped aside.
    bool OnScreen() const { return visible_ && !steppedAside_; }

    WindowState State() const { return state_; }
    bool Exists() const { return state_ == WindowState::Created; }

    // Makes the window exist: raises the created event, then one position-changed event.
    void Create();

    // User input.
    // The close box or the system close command: the may-be-closed handler decides (no handler: close).
    // A closed window is destroyed: hidden, its timers stopped, its events no longer raised.
    // Returns whether the window was destroyed.
    bool RequestClose();
    // Esc raises the may-be-closed event in windows whose Esc-closes flag is set.
    bool PressEscape();
    // A drag step (title bar, or the surface of a drag-anywhere window).
    void MoveByUser(int left, int top) { MoveTo(left, top); }
    // A mouse action on a notification-area icon owned by this window.
    void RaiseTrayEvent(TrayClick click);
    // A click of the right mouse button (or the context-menu key) on the window.
    void RightClick();

    // Event bindings; each event calls at most one handler.
    void BindCreated(std::function<void()> handler) { created_ = std::move(handler); }
    void BindMayClose(std::function<bool()> handler) { mayClose_ = std::move(handler); }
    void BindPositionChanged(std::function<void()> handler) { positionChanged_ = std::move(handler); }
    void BindTrayEvent(std::function<void(TrayClick)> handler) { trayEvent_ = std::move(handler); }
    void BindRightClicked(std::function<void()> handler) { rightClicked_ = std::move(handler); }

    // Controls by name. The typed lookups throw std::out_of_range naming the control when the window
    // has no control of that name and kind: a misspelt name is a fault of the program, not of input.
    Control* Find(std::string_view name) const;
    quorell::Label& Label(std::string_view name) const;
    quorell::ShapeBox& ShapeBox(std::string_view name) const;
    quorell::GroupBox& GroupBox(std::string_view name) const;
    quorell::PictureBox& PictureBox(std::string_view name) const;
    quorell::Button& Button(std::string_view name) const;
    quorell::CheckBox& CheckBox(std::string_view name) const;
    quorell::EditBox& EditBox(std::string_view name) const;
    quorell::TabControl& TabControl(std::string_view name) const;
    quorell::Timer& Timer(std::string_view name) const;
    quorell::PopupMenu& Menu(std::string_view name) const;
    quorell::DrawPanel& DrawPanel(std::string_view name) const;
    quorell::LineChart& LineChart(std::string_view name) const;
    // Every control in design order (containers before what they hold).
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

    // Observers of the window's own place, visibility, title and state; each control has its own.
    Subscription Subscribe(std::function<void(const WindowChange&)> observer) {
        return changed_.Subscribe(std::move(observer));
    }

private:
    template <typename T>
    T& Get(std::string_view name, ControlKind kind, const char* kindName) const;

    WindowKind kind_;
    WindowFlags flags_;
    std::string title_;
    std::string toolTip_;
    Rect bounds_;
    bool visible_ = false;
    bool steppedAside_ = false;
    WindowState state_ = WindowState::NotCreated;
    std::vector<std::unique_ptr<Control>> controls_;

    std::function<void()> created_;
    std::function<bool()> mayClose_;
    std::function<void()> positionChanged_;
    std::function<void(TrayClick)> trayEvent_;
    std::function<void()> rightClicked_;

    Signal<const WindowChange&> changed_;
};

}  // namespace quorell
