#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui_model/window_kind.h"
#include "ui_model/colour.h"
#include "ui_model/geometry.h"

namespace quorell {

enum class ControlKind {
    Label,
    ShapeBox,
    PictureBox,
    GroupBox,
    Button,
    CheckBox,
    EditBox,
    TabControl,
    DrawPanel,
    LineChart,
    Timer,
    Menu,
};

enum class TextAlign { Left, Right };
enum class PictureImage { None, CloseMark };
// Which typed characters an edit box takes. Control characters (backspace and the like) always pass.
enum class EditFilter { AnyText, DigitsAndMinus, Digits };

enum class BorderStyle { None, FixedSingle };
enum class WindowIcon { None, Application };

struct MenuItemDesign {
    std::string caption;  // empty for a separator
    bool separator = false;
    bool checkable = false;  // shows a check mark when `checked`
    bool checked = false;
};

// One control of a window design. Fields that do not apply to the control's kind keep their defaults.
struct ControlDesign {
    ControlKind kind = ControlKind::Label;
    std::string name;
    std::string container;             // empty: the window's client area; else a shape box, group box or tab control
    std::optional<int> page;           // 1-based page of the tab control `container`
    Rect rect;                         // relative to the container
    std::string text;                  // label text, button / check box / group box caption, edit text, chart title
    Rgb textColour = colours::kBlack;  // label text; a line chart's line
    std::optional<Rgb> background;     // label / edit background; none: the container shows through
    TextAlign align = TextAlign::Left;
    Rgb outline = colours::kFrameGrey;  // shape box
    std::optional<Rgb> fill;            // shape box; none: not filled
    PictureImage image = PictureImage::None;
    EditFilter filter = EditFilter::AnyText;
    int intervalMs = 0;                 // timer
    std::vector<std::string> pages;     // tab control page captions
    std::vector<MenuItemDesign> items;  // popup menu
};

struct WindowFlags {
    BorderStyle border = BorderStyle::FixedSingle;
    bool minimiseBox = false;
    bool maximiseBox = false;
    bool visibleAtStart = false;
    bool inTaskBar = false;
    bool alwaysOnTop = false;
    bool dragAnywhere = false;  // a press on the window or its static controls moves the window
    bool escCloses = true;      // Esc raises the may-be-closed event
    WindowIcon icon = WindowIcon::None;
    friend bool operator==(const WindowFlags&, const WindowFlags&) = default;
};

// One window design: what the window holds when it is created.
struct WindowDesign {
    WindowKind kind = WindowKind::Main;
    std::string title;
    Size size;  // outer size
    WindowFlags flags;
    std::vector<ControlDesign> controls;
};

}  // namespace quorell
