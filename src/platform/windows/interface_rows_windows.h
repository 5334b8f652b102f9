#pragma once

// The IP helper's row types need the Windows types, and winsock 2 must come before them; the 64-bit
// row is declared only where the IP address definitions are.
#include <winsock2.h>

#include <windows.h>
#include <ws2ipdef.h>

#include <iphlpapi.h>
#include <netioapi.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/counter_ports.h"

namespace quorell {

// The system's interface rows as the portable rows the core reads. Nothing here calls the system, so
// every conversion can be checked on rows a test makes.

// A row of the 64-bit table: named by its connection's alias ("以太网"), or by its device name when it
// has none; up when operational; 64-bit counters.
NetworkInterface InterfaceFromRow(const MIB_IF_ROW2& row);

// A row of the 32-bit table: named by its device name (the caller puts the alias in where there is one);
// up when operational or connected; 32-bit counters.
NetworkInterface InterfaceFromRow(const MIB_IFROW& row);

// The rows of a 32-bit table that lie wholly within its `bytes`-long buffer: a damaged count makes no
// rows past the end of what the system wrote.
std::vector<NetworkInterface> InterfacesFromTable(const MIB_IFTABLE& table, std::size_t bytes);

// UTF-16 text up to its first NUL or `capacity` units, as UTF-8; a lone surrogate becomes U+FFFD.
std::string TextFromWide(const WCHAR* text, std::size_t capacity);

// The device name the 32-bit table gives the interface with this GUID: "\DEVICE\TCPIP_{...}".
std::string DeviceNameOf(const GUID& guid);

}  // namespace quorell
