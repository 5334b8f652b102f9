#include "platform/windows/interface_table_windows.h"

// The IP helper needs the Windows types, and winsock 2 must come before them.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>
#include <netioapi.h>

namespace quorell {
namespace {
// An interface that appears between asking for the size and reading the table makes the second call
// ask for more room; the table is then read again with the new size, a few times at most.
constexpr int kAttempts = 3;

// The table names each interface by its device path ("\\DEVICE\\TCPIP_{...}"), which no user knows; the
// name the user sees and types is the connection's alias ("以太网", "Wi-Fi"). Each row gets it in place of the
// device path, so the interface menu, the tooltip and the stored choice speak the user's words. A row
// without an alias keeps its device path.
void NameRowsByAlias(MIB_IFTABLE& table) {
    for (DWORD i = 0; i < table.dwNumEntries; ++i) {
        MIB_IFROW& row = table.table[i];
        NET_LUID luid{};
        WCHAR alias[IF_MAX_STRING_SIZE + 1] = {};
        if (::ConvertInterfaceIndexToLuid(row.dwIndex, &luid) == NO_ERROR &&
            ::ConvertInterfaceLuidToAlias(&luid, alias, IF_MAX_STRING_SIZE + 1) == NO_ERROR && alias[0] != L'\0') {
            static_assert(sizeof(row.wszName) / sizeof(row.wszName[0]) == MAX_INTERFACE_NAME_LEN);
            ::lstrcpynW(row.wszName, alias, MAX_INTERFACE_NAME_LEN);
        }
    }
}
}  // namespace

std::optional<IfTableBlock> ReadIfTableBlock() {
    ULONG size = 0;
    ::GetIfTable(nullptr, &size, FALSE);
    for (int attempt = 0; attempt < kAttempts && size > 0; ++attempt) {
        IfTableBlock block;
        block.bytes.assign(size, 0);
        const DWORD result = ::GetIfTable(reinterpret_cast<PMIB_IFTABLE>(block.bytes.data()), &size, TRUE);
        if (result == NO_ERROR) {
            NameRowsByAlias(*reinterpret_cast<PMIB_IFTABLE>(block.bytes.data()));
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
