#include "platform/windows/interface_table_windows.h"

#include <cstdint>
#include <iterator>
#include <memory>

#include "platform/windows/interface_rows_windows.h"

namespace quorell {
namespace {
// An interface that appears between asking for the size and reading the 32-bit table makes the second
// call ask for more room; the table is then read again with the new size, a few times at most.
constexpr int kAttempts = 3;

// The 64-bit table is the system's allocation, handed back through its own call.
struct MibTableRelease {
    void operator()(MIB_IF_TABLE2* table) const { ::FreeMibTable(table); }
};

// The 32-bit table names each interface by its device path ("\DEVICE\TCPIP_{...}"), which no user knows;
// the name the user sees and types is the connection's alias ("以太网", "Wi-Fi"), so the interface menu, the
// tooltip and the stored choice speak the user's words. A row without an alias keeps its device path.
void NameByAlias(NetworkInterface& row) {
    NET_LUID luid{};
    WCHAR alias[IF_MAX_STRING_SIZE + 1] = {};
    if (::ConvertInterfaceIndexToLuid(static_cast<NET_IFINDEX>(row.index), &luid) == NO_ERROR &&
        ::ConvertInterfaceLuidToAlias(&luid, alias, std::size(alias)) == NO_ERROR && alias[0] != L'\0') {
        row.name = TextFromWide(alias, std::size(alias));
    }
}
}  // namespace

std::optional<std::vector<NetworkInterface>> ReadInterfacesWith64BitCounters() {
    MIB_IF_TABLE2* answer = nullptr;
    if (::GetIfTable2(&answer) != NO_ERROR || answer == nullptr) {
        return std::nullopt;
    }
    const std::unique_ptr<MIB_IF_TABLE2, MibTableRelease> table(answer);
    const MIB_IF_ROW2* const row = table->Table;  // NumEntries rows follow the count
    std::vector<NetworkInterface> rows;
    rows.reserve(table->NumEntries);
    for (ULONG i = 0; i < table->NumEntries; ++i) {
        rows.push_back(InterfaceFromRow(row[i]));
    }
    return rows;
}

std::optional<std::vector<NetworkInterface>> ReadInterfacesWith32BitCounters() {
    ULONG size = 0;
    ::GetIfTable(nullptr, &size, FALSE);
    for (int attempt = 0; attempt < kAttempts && size > 0; ++attempt) {
        // 8-byte units keep the table aligned for its rows.
        std::vector<std::uint64_t> buffer((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
        auto* table = reinterpret_cast<MIB_IFTABLE*>(buffer.data());
        ULONG room = static_cast<ULONG>(buffer.size() * sizeof(std::uint64_t));
        const DWORD result = ::GetIfTable(table, &room, FALSE);
        if (result == NO_ERROR) {
            std::vector<NetworkInterface> rows = InterfacesFromTable(*table, size);
            for (NetworkInterface& row : rows) {
                NameByAlias(row);
            }
            return rows;
        }
        if (result != ERROR_INSUFFICIENT_BUFFER) {
            return std::nullopt;
        }
        size = room;
    }
    return std::nullopt;
}

std::optional<std::vector<NetworkInterface>> WindowsInterfaceTable::ReadInterfaces() {
    if (auto rows = ReadInterfacesWith64BitCounters()) {
        return rows;
    }
    return ReadInterfacesWith32BitCounters();
}

std::optional<std::int32_t> WindowsInterfaceTable::ReadDefaultRouteInterface() {
    DWORD index = 0;
    if (::GetBestInterface(0, &index) != NO_ERROR) {
        return std::nullopt;  // no IPv4 default route
    }
    return static_cast<std::int32_t>(index);
}

}  // namespace quorell
