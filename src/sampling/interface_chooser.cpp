#include "sampling/interface_chooser.h"

#include <algorithm>
#include <utility>

namespace quorell {

namespace {

const NetworkInterface* FindByIndex(const std::vector<NetworkInterface>& rows, std::int32_t index) {
    const auto found = std::find_if(rows.begin(), rows.end(), [index](const auto& row) { return row.index == index; });
    return found == rows.end() ? nullptr : &*found;
}

const NetworkInterface* FindByName(const std::vector<NetworkInterface>& rows, const std::string& name) {
    const auto found = std::find_if(rows.begin(), rows.end(), [&name](const auto& row) { return row.name == name; });
    return found == rows.end() ? nullptr : &*found;
}

InterfaceChoice Automatic(const NetworkInterface& row) {
    return InterfaceChoice{row.index, row.name, true};
}

std::uint64_t Total(const NetworkInterface& row) {
    return row.receivedBytes + row.sentBytes;
}

}  // namespace

void InterfaceChooser::SetUserChoice(std::string name) {
    if (name != userChoice_) {
        userChoice_ = std::move(name);
        chooseNow_ = true;
    }
}

const InterfaceChoice& InterfaceChooser::Choose(const std::vector<NetworkInterface>& rows,
                                                const DefaultRouteReader& defaultRoute) {
    RememberFirstTotals(rows);
    if (!userChoice_.empty()) {
        const NetworkInterface* named = FindByName(rows, userChoice_);
        choice_ = InterfaceChoice{named ? std::optional(named->index) : std::nullopt, userChoice_, false};
        chooseNow_ = false;
        return choice_;
    }
    const bool chosenIsGone = !choice_.index || FindByIndex(rows, *choice_.index) == nullptr;
    if (chooseNow_ || chosenIsGone || ++tablesSinceChoice_ >= kTablesBetweenChoices) {
        choice_ = ChooseAutomatically(rows, defaultRoute ? defaultRoute() : std::nullopt);
        chooseNow_ = false;
        tablesSinceChoice_ = 0;
    } else if (const NetworkInterface* chosen = FindByIndex(rows, *choice_.index)) {
        choice_.name = chosen->name;  // a renamed interface keeps its index
    }
    return choice_;
}

InterfaceChoice InterfaceChooser::ChooseAutomatically(const std::vector<NetworkInterface>& rows,
                                                      std::optional<std::int32_t> route) {
    if (route) {
        if (const NetworkInterface* routed = FindByIndex(rows, *route)) {
            return Automatic(*routed);
        }
    }
    if (const auto busiest = Busiest(rows)) {
        return Automatic(*FindByIndex(rows, *busiest));
    }
    if (fallbackRow_ >= 1 && static_cast<std::size_t>(fallbackRow_) <= rows.size()) {
        return Automatic(rows[static_cast<std::size_t>(fallbackRow_) - 1]);
    }
    return InterfaceChoice{};
}

std::optional<std::int32_t> InterfaceChooser::Busiest(const std::vector<NetworkInterface>& rows) const {
    std::optional<std::int32_t> busiest;
    std::uint64_t most = 0;
    for (const NetworkInterface& row : rows) {
        if (!row.up || row.loopback) {
            continue;
        }
        const std::uint64_t first = firstTotals_.at(row.index);
        const std::uint64_t moved = Total(row) >= first ? Total(row) - first : 0;
        if (!busiest || moved > most) {
            busiest = row.index;
            most = moved;
        }
    }
    return busiest;
}

void InterfaceChooser::RememberFirstTotals(const std::vector<NetworkInterface>& rows) {
    // Interfaces that are gone are forgotten, so interfaces that come and go (a VPN's tunnel gets a new
    // index each time) leave nothing behind.
    std::erase_if(firstTotals_, [&rows](const auto& known) { return FindByIndex(rows, known.first) == nullptr; });
    for (const NetworkInterface& row : rows) {
        auto [at, added] = firstTotals_.try_emplace(row.index, Total(row));
        if (!added && Total(row) < at->second) {
            at->second = Total(row);  // the counters restarted: count from there
        }
    }
}

}  // namespace quorell
