#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/counter_ports.h"

namespace quorell {

// The IP helper's interface table: the 64-bit one (GetIfTable2), or the 32-bit one (GetIfTable) when the
// system does not answer with that; each interface named by its connection's name.
class WindowsInterfaceTable final : public InterfaceTablePort {
public:
    std::optional<std::vector<NetworkInterface>> ReadInterfaces() override;
    // The IP helper's best interface for 0.0.0.0: the one that carries the IPv4 default route.
    std::optional<std::int32_t> ReadDefaultRouteInterface() override;
};

// Each table on its own; nothing when its call fails.
std::optional<std::vector<NetworkInterface>> ReadInterfacesWith64BitCounters();
std::optional<std::vector<NetworkInterface>> ReadInterfacesWith32BitCounters();

}  // namespace quorell
