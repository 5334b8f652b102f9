#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/counter_ports.h"
#include "platform/linux/link_dump.h"

namespace quorell {

// Every network interface of this process's network namespace, read through rtnetlink with the kernel's
// 64-bit counters; and the interface of the default route, asked of the kernel over the same socket.
class LinuxInterfaceTable final : public InterfaceTablePort {
public:
    std::optional<std::vector<NetworkInterface>> ReadInterfaces() override { return links_.Dump(); }
    std::optional<std::int32_t> ReadDefaultRouteInterface() override;

private:
    LinkDumper links_;
};

}  // namespace quorell
