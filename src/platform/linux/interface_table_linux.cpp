#include "platform/linux/interface_table_linux.h"

namespace quorell {

std::optional<std::int32_t> LinuxInterfaceTable::ReadDefaultRouteInterface() {
    const auto routes = links_.DumpDefaultRoutes();
    if (!routes) {
        return std::nullopt;
    }
    return PreferredDefaultRoute(*routes);
}

}  // namespace quorell
