#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/counter_ports.h"

namespace quorell {

// The interface the network monitors watch, and how it was found.
struct InterfaceChoice {
    std::optional<std::int32_t> index;  // nothing: no interface to read now
    std::string name;                   // the chosen interface's name, or the user's name when it is absent
    bool automatic = true;
    friend bool operator==(const InterfaceChoice&, const InterfaceChoice&) = default;
};

// Chooses the watched interface from each new table. The user's named interface when there is one,
// whether or not it exists right now (never another one in its place). Otherwise, automatically: the
// interface of the default route; without one, the up, non-loopback interface that moved the most
// bytes since it was first seen; without one, the fixed table row. The automatic choice is made again
// only every few tables (the route is asked for no more often) or when the chosen interface is gone.
class InterfaceChooser {
public:
    // The monitors read the table twice a tick, one tick a second: a new automatic choice every six
    // tables is one every three seconds.
    static constexpr int kTablesBetweenChoices = 6;

    using DefaultRouteReader = std::function<std::optional<std::int32_t>()>;

    // `fallbackRow`: the 1-based table row watched when nothing else can be known.
    void SetFallbackRow(int fallbackRow) { fallbackRow_ = fallbackRow; }
    int FallbackRow() const { return fallbackRow_; }

    // The user's interface name; empty for the automatic choice. Takes effect with the next table.
    void SetUserChoice(std::string name);
    const std::string& UserChoice() const { return userChoice_; }

    // The choice for this table (in ascending interface index).
    const InterfaceChoice& Choose(const std::vector<NetworkInterface>& rows, const DefaultRouteReader& defaultRoute);
    const InterfaceChoice& Current() const { return choice_; }

private:
    InterfaceChoice ChooseAutomatically(const std::vector<NetworkInterface>& rows, std::optional<std::int32_t> route);
    std::optional<std::int32_t> Busiest(const std::vector<NetworkInterface>& rows) const;
    void RememberFirstTotals(const std::vector<NetworkInterface>& rows);

    int fallbackRow_ = 0;
    std::string userChoice_;
    bool chooseNow_ = true;
    int tablesSinceChoice_ = 0;
    InterfaceChoice choice_;
    std::map<std::int32_t, std::uint64_t> firstTotals_;  // bytes both ways when an interface was first seen
};

}  // namespace quorell
