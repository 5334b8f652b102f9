#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui_model/tray_click.h"
#include "ui_model/window_kind.h"

namespace quorell {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// A screen's rectangle in virtual-desktop pixels; a screen left of the primary one has a negative left.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

enum class TrayImage { None, Application };

// A notification-area icon. Its mouse actions come back to the owner window as tray events (TrayClick).
struct TrayIconData {
    int identifier = 0;
    WindowKind owner{};
    TrayImage image = TrayImage::Application;
    std::string tipText;  // UTF-8; the core has already cut it to what the tray keeps
    friend bool operator==(const TrayIconData&, const TrayIconData&) = default;
};

enum class MessageIcon { Question, Error };
enum class MessageAnswer { Yes, No };

// What only a desktop can do for the core. Each front end implements it; tests use a fake that
// records every call. Failures are not reported to the user; the bool results say whether it worked.
class DesktopPort {
public:
    virtual ~DesktopPort() = default;

    virtual bool AddTrayIcon(const TrayIconData& icon) = 0;
    virtual bool ChangeTrayIcon(const TrayIconData& icon) = 0;
    virtual bool RemoveTrayIcon(int identifier) = 0;

    virtual ScreenPoint CursorPosition() const = 0;
    // Pops up the owner window's popup menu `menuName` with its top-left corner at `topLeft`, tracking
    // the right mouse button, and waits until it closes. Returns the 1-based position of the chosen item,
    // or nothing when the user chose none. The core then raises that item's selected event.
    virtual std::optional<std::size_t> PopUpMenu(WindowKind owner, std::string_view menuName, ScreenPoint topLeft) = 0;

    // A modal message box with the buttons Yes and No, modal for the whole program.
    virtual MessageAnswer AskYesNo(std::string_view title, std::string_view text, MessageIcon icon) = 0;
    // The fatal error message box (one OK button); the core ends the program after it.
    virtual void ShowFatalError(std::string_view text) = 0;
    // A message box with one OK button, modal for the whole program: what the user must know now.
    virtual void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) = 0;

    // Opens the address in the user's web browser.
    virtual bool OpenWebAddress(std::string_view address) = 0;

    // Colour-key transparency of a monitor window: with a key (0xRRGGBB), every pixel of exactly that
    // colour becomes see-through; without one, the window is drawn fully opaque.
    virtual void SetColourKeyTransparency(WindowKind window, std::optional<std::uint32_t> colourKey) = 0;

    // Every screen, the primary one first. Empty when the desktop cannot tell.
    virtual std::vector<ScreenRect> Screens() const = 0;

    // Ends the event loop; the program then ends with this exit code.
    virtual void Quit(int exitCode) = 0;
};

}  // namespace quorell
