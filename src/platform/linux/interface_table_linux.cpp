#include "platform/linux/interface_table_linux.h"

#include <algorithm>

namespace quorell {

std::optional<InterfaceTableReading> LinuxInterfaceTable::ReadInterfaceTable() {
    const auto now = std::chrono::steady_clock::now();
    if (!last_ || reuseWithin_.count() <= 0 || now - lastReadAt_ >= reuseWithin_) {
        last_.reset();
        if (auto links = links_.Dump()) {
            std::sort(links->begin(), links->end(),
                      [](const NetworkInterface& a, const NetworkInterface& b) { return a.index < b.index; });
            last_ = InterfaceRows64{std::move(*links)};
        }
        lastReadAt_ = now;
    }
    if (!last_) {
        return std::nullopt;
    }
    return InterfaceTableReading{*last_};
}

std::optional<std::int32_t> LinuxInterfaceTable::ReadDefaultRouteInterface() {
    const auto routes = links_.DumpDefaultRoutes();
    if (!routes) {
        return std::nullopt;
    }
    return PreferredDefaultRoute(*routes);
}

}  // namespace quorell
