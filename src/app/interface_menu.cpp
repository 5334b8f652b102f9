#include "app/interface_menu.h"

#include <cstdio>
#include <utility>

#include "ui_model/menu.h"

namespace quorell {

namespace {

// A byte count for people: B, KB, MB, GB or TB, one decimal from KB on.
std::string ByteAmount(std::uint64_t bytes) {
    static constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB"};
    if (bytes < 1024) {
        return std::to_string(bytes) + " B";
    }
    double amount = static_cast<double>(bytes) / 1024.0;
    std::size_t unit = 0;
    while (amount >= 1024.0 && unit + 1 < std::size(kUnits)) {
        amount /= 1024.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", amount, kUnits[unit]);
    return text;
}

// A checkable item that stores `choice` when chosen. (Built member by member: GCC 12 at -O3 warns
// falsely about brace-initialised temporaries of this shape.)
InterfaceMenuItem CheckableItem(std::string caption, bool checked, std::string choice) {
    InterfaceMenuItem item;
    item.design.caption = std::move(caption);
    item.design.checkable = true;
    item.design.checked = checked;
    item.choice = std::move(choice);
    return item;
}

InterfaceMenuItem Separator() {
    InterfaceMenuItem item;
    item.design.separator = true;
    return item;
}

InterfaceMenuItem InterfaceItem(const NetworkInterface& row, bool watched) {
    return CheckableItem(row.name + " (" + ByteAmount(row.receivedBytes) + " / " + ByteAmount(row.sentBytes) + ")",
                         watched, row.name);
}

}  // namespace

std::vector<InterfaceMenuItem> InterfaceMenuItems(const InterfaceTable& table, const InterfaceChoice& choice,
                                                  const std::string& userChoice) {
    std::vector<InterfaceMenuItem> items;
    items.push_back(CheckableItem(std::string(kAutomaticChoiceCaption), userChoice.empty(), ""));
    items.push_back(Separator());
    bool userChoicePresent = false;
    for (const bool loopbackPass : {false, true}) {
        for (const NetworkInterface& row : table.rows) {
            if (row.loopback == loopbackPass) {
                items.push_back(InterfaceItem(row, choice.index == row.index));
                userChoicePresent = userChoicePresent || row.name == userChoice;
            }
        }
    }
    if (!userChoice.empty() && !userChoicePresent) {
        items.push_back(CheckableItem(userChoice, true, userChoice));
    }
    return items;
}

void InterfaceMenu::LoadChoice() {
    sampler_.SetUserChoice(settings_.Read(kBasicSection, kInterfaceKey, ""));
}

void InterfaceMenu::OnRightClick(WindowKind window) {
    PopupMenu& menu = windows_.Get(window).Menu(kInterfaceMenuName);
    const auto items = InterfaceMenuItems(sampler_.Table(), sampler_.Choice(), sampler_.UserChoice());
    std::vector<MenuItemDesign> designs;
    for (const InterfaceMenuItem& item : items) {
        designs.push_back(item.design);
    }
    menu.ReplaceItems(designs);
    for (std::size_t position = 1; position <= items.size(); ++position) {
        menu.Item(position).BindSelected([this, name = items[position - 1].choice] { Choose(name); });
    }
    const ScreenPoint cursor = desktop_.CursorPosition();
    const auto chosen = desktop_.PopUpMenu(window, kInterfaceMenuName, {cursor.x + 3, cursor.y + 3});
    if (chosen && *chosen >= 1 && *chosen <= menu.ItemCount()) {
        menu.Item(*chosen).Select();
    }
}

void InterfaceMenu::Choose(const std::string& name) {
    settings_.Write(kBasicSection, kInterfaceKey, name);
    sampler_.SetUserChoice(name);
}

}  // namespace quorell
