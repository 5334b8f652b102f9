#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/settings_file.h"
#include "app/window_set.h"
#include "app/desktop_port.h"
#include "sampling/network_sampler.h"
#include "ui_model/control_names.h"
#include "ui_model/window_design.h"

namespace quorell {

inline constexpr std::string_view kInterfaceKey = "监控网卡";
inline constexpr std::string_view kInterfaceMenuName = names::kInterfaceMenu;
inline constexpr std::string_view kAutomaticChoiceCaption = "自动选择";

// The items of the interface menu: "自动选择" (checked while the choice is automatic), a separator, then
// one item per interface, "name (received / sent so far)", the watched one checked, loopback last. A
// name the user chose that is not there now still has its item, checked, without counters.
struct InterfaceMenuItem {
    MenuItemDesign design;
    std::string choice;  // the name the item stores; empty for "自动选择" and the separator
};
std::vector<InterfaceMenuItem> InterfaceMenuItems(const InterfaceTable& table, const InterfaceChoice& choice,
                                                  const std::string& userChoice);

// The popup menu of the receive and send monitor windows, where the user chooses the watched interface.
class InterfaceMenu {
public:
    InterfaceMenu(const WindowSet& windows, const SettingsFile& settings, DesktopPort& desktop, NetworkSampler& sampler)
        : windows_(windows), settings_(settings), desktop_(desktop), sampler_(sampler) {}

    // Gives the sampler the interface stored in the settings (none: automatic).
    void LoadChoice();
    // A right-click on `window`: pops its menu up at the cursor and applies the chosen item.
    void OnRightClick(WindowKind window);
    // Stores the interface's name (empty: automatic) at once; both monitors watch it from their next tick.
    void Choose(const std::string& name);

private:
    const WindowSet& windows_;
    const SettingsFile& settings_;
    DesktopPort& desktop_;
    NetworkSampler& sampler_;
};

}  // namespace quorell
