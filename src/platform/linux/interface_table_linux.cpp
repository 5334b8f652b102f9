#include "platform/linux/interface_table_linux.h"

#include <linux/ethtool.h>
#include <linux/sockios.h>
#include <net/if.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/linux/link_dump.h"
#include "platform/linux/unique_fd.h"

namespace quorell {

namespace {

// The driver's link speed in bits per second; 0 when it has none or does not say.
std::uint64_t DriverSpeed(const UniqueFd& socket, const std::string& name) {
    if (!socket.Valid() || name.empty() || name.size() >= IFNAMSIZ) {
        return 0;
    }
    ethtool_cmd command{};
    command.cmd = ETHTOOL_GSET;
    ifreq request{};
    std::memcpy(request.ifr_name, name.data(), name.size());
    request.ifr_data = reinterpret_cast<char*>(&command);
    if (::ioctl(socket.Get(), SIOCETHTOOL, &request) != 0) {
        return 0;
    }
    const std::uint32_t megabits = ethtool_cmd_speed(&command);
    if (megabits == 0 || megabits == static_cast<std::uint32_t>(SPEED_UNKNOWN)) {
        return 0;
    }
    return static_cast<std::uint64_t>(megabits) * 1000000u;
}

}  // namespace

std::optional<InterfaceTableReading> LinuxInterfaceTable::ReadInterfaceTable() {
    const auto now = std::chrono::steady_clock::now();
    if (!last_ || reuseWithin_.count() <= 0 || now - lastReadAt_ >= reuseWithin_) {
        last_ = ReadFromKernel();
        lastReadAt_ = now;
    }
    if (!last_) {
        return std::nullopt;
    }
    return InterfaceTableReading{*last_};
}

std::optional<InterfaceRows64> LinuxInterfaceTable::ReadFromKernel() {
    auto links = links_.Dump();
    if (!links) {
        return std::nullopt;
    }
    std::sort(links->begin(), links->end(),
              [](const LinkMessage& a, const LinkMessage& b) { return a.row.dwIndex < b.row.dwIndex; });

    UniqueFd ioctlSocket;
    std::map<std::int32_t, KnownSpeed> speeds;
    InterfaceRows64 table;
    table.rows.reserve(links->size());
    for (LinkMessage& link : *links) {
        InterfaceRow& row = link.row;
        const auto known = speeds_.find(row.dwIndex);
        if (known != speeds_.end() && known->second.operStatus == row.dwOperStatus) {
            row.dwSpeed = known->second.bitsPerSecond;
        } else {
            if (!ioctlSocket.Valid()) {
                ioctlSocket = UniqueFd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
            }
            row.dwSpeed = DriverSpeed(ioctlSocket, link.name);
        }
        speeds[row.dwIndex] = KnownSpeed{row.dwOperStatus, row.dwSpeed};
        table.rows.push_back(std::move(row));
    }
    speeds_ = std::move(speeds);
    return table;
}

}  // namespace quorell
