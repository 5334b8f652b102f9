#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui_model/window_design.h"
#include "app/desktop_port.h"

namespace quorell {

// A desktop that records what the core asked of it, with answers a test sets beforehand.
class FakeDesktop final : public DesktopPort {
public:
    bool AddTrayIcon(const TrayIconData& icon) override;
    bool ChangeTrayIcon(const TrayIconData& icon) override;
    bool RemoveTrayIcon(int identifier) override;
    ScreenPoint CursorPosition() const override { return cursor; }
    std::optional<std::size_t> PopUpMenu(WindowKind owner, std::string_view menuName, ScreenPoint topLeft) override;
    MessageAnswer AskYesNo(std::string_view title, std::string_view text, MessageIcon icon) override;
    void ShowFatalError(std::string_view text) override;
    void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) override;
    bool OpenWebAddress(std::string_view address) override;
    void SetColourKeyTransparency(WindowKind window, std::optional<std::uint32_t> colourKey) override;
    std::vector<ScreenRect> Screens() const override { return screens; }
    void Quit(int exitCode) override;

    // Answers.
    bool refuseTrayIcon = false;
    ScreenPoint cursor{600, 700};
    std::optional<std::size_t> menuChoice;  // used once, then cleared
    MessageAnswer answer = MessageAnswer::No;
    std::vector<ScreenRect> screens{{0, 0, 1920, 1080}};

    // Records.
    std::map<int, TrayIconData> trayIcons;  // icons present now, by identifier
    int trayAdds = 0;
    int trayChanges = 0;
    struct MenuPopup {
        WindowKind owner;
        std::string menuName;
        ScreenPoint topLeft;
    };
    std::vector<MenuPopup> menuPopups;
    struct Question {
        std::string title;
        std::string text;
        MessageIcon icon;
    };
    std::vector<Question> questions;
    std::vector<std::string> fatalErrors;
    std::vector<Question> messages;  // the message boxes with one OK button
    std::vector<std::string> openedAddresses;
    // The last transparency request per window; absent: never asked.
    std::map<WindowKind, std::optional<std::uint32_t>> colourKeys;
    std::vector<WindowKind> transparencyOrder;
    std::optional<int> quitCode;
};

}  // namespace quorell
