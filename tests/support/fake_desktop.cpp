#include "fake_desktop.h"

namespace quorell {

bool FakeDesktop::AddTrayIcon(const TrayIconData& icon) {
    ++trayAdds;
    if (refuseTrayIcon || trayIcons.count(icon.identifier) != 0) {
        return false;
    }
    trayIcons[icon.identifier] = icon;
    return true;
}

bool FakeDesktop::ChangeTrayIcon(const TrayIconData& icon) {
    ++trayChanges;
    auto found = trayIcons.find(icon.identifier);
    if (found == trayIcons.end()) {
        return false;
    }
    found->second = icon;
    return true;
}

bool FakeDesktop::RemoveTrayIcon(int identifier) {
    return trayIcons.erase(identifier) != 0;
}

std::optional<std::size_t> FakeDesktop::PopUpMenu(WindowKind owner, std::string_view menuName, ScreenPoint topLeft) {
    menuPopups.push_back({owner, std::string(menuName), topLeft});
    std::optional<std::size_t> choice = menuChoice;
    menuChoice.reset();
    return choice;
}

MessageAnswer FakeDesktop::AskYesNo(std::string_view title, std::string_view text, MessageIcon icon) {
    questions.push_back({std::string(title), std::string(text), icon});
    return answer;
}

void FakeDesktop::ShowFatalError(std::string_view text) {
    fatalErrors.emplace_back(text);
}

void FakeDesktop::ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) {
    messages.push_back({std::string(title), std::string(text), icon});
}

bool FakeDesktop::OpenWebAddress(std::string_view address) {
    openedAddresses.emplace_back(address);
    return true;
}

void FakeDesktop::SetColourKeyTransparency(WindowKind window, std::optional<std::uint32_t> colourKey) {
    colourKeys[window] = colourKey;
    transparencyOrder.push_back(window);
}

void FakeDesktop::Quit(int exitCode) {
    if (!quitCode) {
        quitCode = exitCode;
    }
}

}  // namespace quorell
