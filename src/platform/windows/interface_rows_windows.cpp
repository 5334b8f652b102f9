#include "platform/windows/interface_rows_windows.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "runtime/utf8.h"

namespace quorell {

std::string TextFromWide(const WCHAR* text, std::size_t capacity) {
    std::string utf8;
    for (std::size_t at = 0; at < capacity && text[at] != 0; ++at) {
        char32_t unit = text[at];
        if (unit >= 0xD800 && unit < 0xDC00 && at + 1 < capacity) {
            const char32_t low = text[at + 1];
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                ++at;
            }
        }
        AppendUtf8(utf8, unit);  // a surrogate left alone is no scalar value and becomes U+FFFD
    }
    return utf8;
}

std::string DeviceNameOf(const GUID& guid) {
    char text[64];
    std::snprintf(text, sizeof text, "\\DEVICE\\TCPIP_{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

NetworkInterface InterfaceFromRow(const MIB_IF_ROW2& row) {
    NetworkInterface plain;
    plain.index = static_cast<std::int32_t>(row.InterfaceIndex);
    plain.systemName = DeviceNameOf(row.InterfaceGuid);
    plain.name = TextFromWide(row.Alias, std::size(row.Alias));
    if (plain.name.empty()) {
        plain.name = plain.systemName;
    }
    plain.up = row.OperStatus == IfOperStatusUp;
    plain.loopback = row.Type == IF_TYPE_SOFTWARE_LOOPBACK;
    plain.receivedBytes = row.InOctets;
    plain.sentBytes = row.OutOctets;
    plain.counterWidth = CounterWidth::Bits64;
    return plain;
}

NetworkInterface InterfaceFromRow(const MIB_IFROW& row) {
    NetworkInterface plain;
    plain.index = static_cast<std::int32_t>(row.dwIndex);
    plain.systemName = TextFromWide(row.wszName, std::size(row.wszName));
    plain.name = plain.systemName;
    plain.up = row.dwOperStatus == IF_OPER_STATUS_OPERATIONAL || row.dwOperStatus == IF_OPER_STATUS_CONNECTED;
    plain.loopback = row.dwType == IF_TYPE_SOFTWARE_LOOPBACK;
    plain.receivedBytes = row.dwInOctets;
    plain.sentBytes = row.dwOutOctets;
    plain.counterWidth = CounterWidth::Bits32;
    return plain;
}

std::vector<NetworkInterface> InterfacesFromTable(const MIB_IFTABLE& table, std::size_t bytes) {
    constexpr std::size_t kRowsBegin = offsetof(MIB_IFTABLE, table);
    if (bytes <= kRowsBegin) {
        return {};
    }
    const std::size_t count = std::min<std::size_t>(table.dwNumEntries, (bytes - kRowsBegin) / sizeof(MIB_IFROW));
    const MIB_IFROW* const row = table.table;  // the rows follow the count for as long as the buffer goes
    std::vector<NetworkInterface> rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        rows.push_back(InterfaceFromRow(row[i]));
    }
    return rows;
}

}  // namespace quorell
