#include "sampling/memory_sampler.h"

#include "runtime/value_text.h"

namespace quorell {

namespace {
constexpr double kBytesPerMegabyte = 1024000.0;  // 1000 x 1024, the unit the memory window shows
}

MemorySample MemorySampleFrom(const MemoryStatus& status) {
    const double used =
        static_cast<double>(status.totalPhysicalBytes) - static_cast<double>(status.availablePhysicalBytes);
    return MemorySample{status.loadPercent, ToInteger(used / kBytesPerMegabyte)};
}

MemorySampler::MemorySampler(MemoryStatusPort& status) : status_(status) {}

MemorySample MemorySampler::SampleMemory() {
    if (const auto status = status_.ReadMemoryStatus()) {
        lastGood_ = MemorySampleFrom(*status);
    }
    return lastGood_;
}

}  // namespace quorell
