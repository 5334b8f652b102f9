#include "platform/linux/proc_meminfo.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace quorell {

namespace {

struct Field {
    std::string_view key;
    std::optional<std::uint64_t> bytes;
};

// The value of a "Key:   123 kB" line in bytes; nothing when the line does not hold a number.
std::optional<std::uint64_t> LineBytes(std::string_view rest) {
    std::size_t at = rest.find_first_not_of(" \t");
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    rest.remove_prefix(at);
    std::uint64_t value = 0;
    const auto [stop, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc()) {
        return std::nullopt;
    }
    rest.remove_prefix(static_cast<std::size_t>(stop - rest.data()));
    at = rest.find_first_not_of(" \t");
    const std::string_view unit = at == std::string_view::npos ? std::string_view() : rest.substr(at);
    if (unit.empty()) {
        return value;
    }
    if (unit.substr(0, 2) != "kB") {
        return std::nullopt;
    }
    constexpr std::uint64_t kKibibyte = 1024;
    if (value > std::numeric_limits<std::uint64_t>::max() / kKibibyte) {
        return std::nullopt;
    }
    return value * kKibibyte;
}

}  // namespace

std::optional<MemoryStatus> ParseMeminfo(std::string_view text) {
    Field total{"MemTotal", {}}, available{"MemAvailable", {}}, free{"MemFree", {}}, buffers{"Buffers", {}},
        cached{"Cached", {}}, reclaimable{"SReclaimable", {}};
    Field* fields[] = {&total, &available, &free, &buffers, &cached, &reclaimable};

    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            continue;
        }
        for (Field* field : fields) {
            if (line.substr(0, colon) == field->key && !field->bytes) {
                field->bytes = LineBytes(line.substr(colon + 1));
            }
        }
    }
    if (!total.bytes || *total.bytes == 0) {
        return std::nullopt;
    }
    std::uint64_t availableBytes = 0;
    if (available.bytes) {
        availableBytes = *available.bytes;
    } else if (free.bytes) {
        availableBytes =
            *free.bytes + buffers.bytes.value_or(0) + cached.bytes.value_or(0) + reclaimable.bytes.value_or(0);
    } else {
        return std::nullopt;
    }
    MemoryStatus status;
    status.totalPhysicalBytes = *total.bytes;
    status.availablePhysicalBytes = availableBytes < *total.bytes ? availableBytes : *total.bytes;
    const std::uint64_t used = status.totalPhysicalBytes - status.availablePhysicalBytes;
    // Computed in double: used x 100 could pass 2^64 only on an absurd text, and the quotient is 0..100.
    status.loadPercent =
        static_cast<std::int32_t>(static_cast<double>(used) * 100.0 / static_cast<double>(status.totalPhysicalBytes));
    return status;
}

}  // namespace quorell
