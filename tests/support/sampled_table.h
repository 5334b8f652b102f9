#pragma once

#include <vector>

#include "platform/counter_ports.h"

namespace quorell {

// The rows a network sampler keeps after one refresh through a real back end; the test fails unless there
// are some and they stand in strictly ascending interface index.
std::vector<NetworkInterface> RowsAfterOneRefresh(InterfaceTablePort& interfaces);

}  // namespace quorell
