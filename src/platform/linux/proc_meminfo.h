#pragma once

#include <optional>
#include <string_view>

#include "platform/counter_ports.h"

namespace quorell {

// The physical memory from the text of /proc/meminfo: total is MemTotal, available is MemAvailable
// (on kernels without it, MemFree + Buffers + Cached + SReclaimable), load is
// (total - available) x 100 / total truncated. Nothing without a positive MemTotal.
std::optional<MemoryStatus> ParseMeminfo(std::string_view text);

}  // namespace quorell
