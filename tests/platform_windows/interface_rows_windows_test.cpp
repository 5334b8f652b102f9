#include "platform/windows/interface_rows_windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace quorell {
namespace {

constexpr GUID kGuid{0x0A1B2C3D, 0x4E5F, 0x6071, {0x82, 0x93, 0xA4, 0xB5, 0xC6, 0xD7, 0xE8, 0xF9}};
constexpr const char* kDeviceName = "\\DEVICE\\TCPIP_{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}";

TEST(InterfaceRowsWindows, A64BitRowKeepsItsCountersAndIsNamedByItsAliasElseItsDevice) {
    MIB_IF_ROW2 row{};
    row.InterfaceIndex = 4000000000u;  // the index as the system gives it, read back unchanged
    row.InterfaceGuid = kGuid;
    std::memcpy(row.Alias, L"以太网", sizeof L"以太网");
    row.Type = IF_TYPE_ETHERNET_CSMACD;
    row.OperStatus = IfOperStatusUp;
    row.InOctets = 5000000000u;
    row.OutOctets = 7000000000u;
    EXPECT_EQ(InterfaceFromRow(row), (NetworkInterface{static_cast<std::int32_t>(4000000000u), "以太网", true, false,
                                                       5000000000u, 7000000000u, CounterWidth::Bits64, kDeviceName}));

    row.Alias[0] = L'\0';
    row.Type = IF_TYPE_SOFTWARE_LOOPBACK;
    row.OperStatus = IfOperStatusDown;
    const NetworkInterface unnamed = InterfaceFromRow(row);
    EXPECT_EQ(unnamed.name, kDeviceName);
    EXPECT_TRUE(unnamed.loopback);
    EXPECT_FALSE(unnamed.up);
}

// A 32-bit table of `rows` rows in a buffer of its own, so a test can damage its count.
struct Table32 {
    explicit Table32(std::size_t rows) : words((offsetof(MIB_IFTABLE, table) + rows * sizeof(MIB_IFROW)) / 8 + 1) {
        Get().dwNumEntries = static_cast<DWORD>(rows);
    }
    MIB_IFTABLE& Get() { return *reinterpret_cast<MIB_IFTABLE*>(words.data()); }
    MIB_IFROW& Row(std::size_t i) { return (&Get().table[0])[i]; }
    std::size_t Bytes(std::size_t rows) const { return offsetof(MIB_IFTABLE, table) + rows * sizeof(MIB_IFROW); }
    std::vector<std::uint64_t> words;
};

TEST(InterfaceRowsWindows, A32BitRowHasUnsignedCountersItsDeviceNameAndItsStates) {
    Table32 table(3);
    // A name with a character outside the basic plane, then a lone surrogate.
    std::memcpy(table.Row(0).wszName, u"Wi-Fi \U0001F600 \xD800!", sizeof u"Wi-Fi \U0001F600 \xD800!");
    table.Row(0).dwIndex = 12;
    table.Row(0).dwType = IF_TYPE_SOFTWARE_LOOPBACK;
    table.Row(0).dwOperStatus = IF_OPER_STATUS_OPERATIONAL;
    table.Row(0).dwInOctets = 0xFFFFFFFFu;
    table.Row(0).dwOutOctets = 0x80000000u;
    table.Row(1).dwOperStatus = IF_OPER_STATUS_CONNECTED;
    table.Row(2).dwOperStatus = IF_OPER_STATUS_DISCONNECTED;
    const auto rows = InterfacesFromTable(table.Get(), table.Bytes(3));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (NetworkInterface{12, "Wi-Fi \xF0\x9F\x98\x80 \xEF\xBF\xBD!", true, true, 4294967295u,
                                         2147483648u, CounterWidth::Bits32, "Wi-Fi \xF0\x9F\x98\x80 \xEF\xBF\xBD!"}));
    EXPECT_TRUE(rows[1].up);
    EXPECT_FALSE(rows[2].up);
    EXPECT_FALSE(rows[2].loopback);
}

TEST(InterfaceRowsWindows, ADamagedCountMakesNoRowsBeyondTheBuffer) {
    Table32 table(2);
    table.Get().dwNumEntries = 0x7FFFFFFF;
    EXPECT_EQ(InterfacesFromTable(table.Get(), table.Bytes(2)).size(), 2u);
    EXPECT_EQ(InterfacesFromTable(table.Get(), table.Bytes(2) - 1).size(), 1u);
    EXPECT_TRUE(InterfacesFromTable(table.Get(), offsetof(MIB_IFTABLE, table)).empty());
    table.Get().dwNumEntries = 1;
    EXPECT_EQ(InterfacesFromTable(table.Get(), table.Bytes(2)).size(), 1u);
}

}  // namespace
}  // namespace quorell
