#include "platform/windows/interface_table_windows.h"

// The IP helper needs the Windows types, and winsock 2 must come before them.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>

namespace quorell {
namespace {
// An interface that appears between asking for the size and reading the table makes the second call
// ask for more room; the table is then read again with the new size, a few times at most.
constexpr int kAttempts = 3;
}  // namespace

std::optional<IfTableBlock> ReadIfTableBlock() {
    ULONG size = 0;
    ::GetIfTable(nullptr, &size, FALSE);
    for (int attempt = 0; attempt < kAttempts && size > 0; ++attempt) {
        IfTableBlock block;
        block.bytes.assign(size, 0);
        const DWORD result = ::GetIfTable(reinterpret_cast<PMIB_IFTABLE>(block.bytes.data()), &size, TRUE);
        if (result == NO_ERROR) {
            return block;
        }
        if (result != ERROR_INSUFFICIENT_BUFFER) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<InterfaceTableReading> WindowsInterfaceTable::ReadInterfaceTable() {
    const auto now = std::chrono::steady_clock::now();
    if (!last_ || reuseWithin_.count() <= 0 || now - lastReadAt_ >= reuseWithin_) {
        last_ = ReadIfTableBlock();
        lastReadAt_ = now;
    }
    if (!last_) {
        return std::nullopt;
    }
    return InterfaceTableReading{*last_};
}

std::optional<std::int32_t> WindowsInterfaceTable::ReadDefaultRouteInterface() {
    DWORD index = 0;
    if (::GetBestInterface(0, &index) != NO_ERROR) {
        return std::nullopt;  // no IPv4 default route
    }
    return static_cast<std::int32_t>(index);
}

}  // namespace quorell
