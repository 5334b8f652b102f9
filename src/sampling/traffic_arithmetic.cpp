#include "sampling/traffic_arithmetic.h"

#include "runtime/value_text.h"

namespace quorell {

namespace {
constexpr std::uint64_t kLow32 = 0xFFFFFFFFull;
constexpr std::uint64_t kHalf32 = 0x80000000ull;
}  // namespace

std::optional<std::uint64_t> CounterDelta(std::uint64_t previous, std::uint64_t current, CounterWidth width) {
    if (width == CounterWidth::Bits32) {
        const std::uint64_t delta = ((current & kLow32) - (previous & kLow32)) & kLow32;
        // A real wrap within one tick moves far less than 2 GB; a step that large is a counter that
        // restarted lower, which modulo 2^32 would read as almost 4 GB.
        if (delta >= kHalf32) {
            return std::nullopt;
        }
        return delta;
    }
    if (current < previous) {
        return std::nullopt;
    }
    return current - previous;
}

TrafficSample TrafficFromDelta(double deltaBytes, std::string_view bandwidthText) {
    // One K is 1280 bytes in a one-second tick: delta x 8000 / 10240000, in this order.
    const double kilo = deltaBytes * 8000.0 / 10240000.0;
    const std::int32_t bandwidth = ToInteger(bandwidthText);
    const double bandwidthK = bandwidth * 1.25;
    TrafficSample sample;
    sample.kValue = ToInteger(kilo);
    sample.percent = bandwidthK == 0 ? 0 : ToInteger(kilo / bandwidthK);
    return sample;
}

int MonitoredRowFor(const PlatformVersion& version) {
    const bool windowsSixZeroOrOne =
        version.family == PlatformFamily::Windows && version.major == 6 && (version.minor == 0 || version.minor == 1);
    return windowsSixZeroOrOne ? 11 : 2;
}

}  // namespace quorell
