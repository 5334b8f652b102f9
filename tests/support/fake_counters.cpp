#include "support/fake_counters.h"

namespace quorell {

std::optional<CpuTimes> FakeCpuCounters::ReadCpuTimes() {
    ++reads;
    if (failing) {
        return std::nullopt;
    }
    return times;
}

void FakeCpuCounters::Advance(std::int64_t idleDelta, std::int64_t timeDelta) {
    times.idleTime += idleDelta;
    times.systemTime += timeDelta;
}

void FakeMemoryStatus::Set(std::uint64_t totalBytes, std::uint64_t availableBytes, std::int32_t loadPercent) {
    status = MemoryStatus{totalBytes, availableBytes, loadPercent};
}

std::optional<std::vector<NetworkInterface>> FakeInterfaceTable::ReadInterfaces() {
    ++reads;
    if (failing) {
        return std::nullopt;
    }
    return rows;
}

void FakeInterfaceTable::SetRowCount(int count) {
    rows.clear();
    for (int index = 1; index <= count; ++index) {
        rows.push_back(MakeInterfaceRow(index));
    }
}

NetworkInterface MakeInterfaceRow(std::int32_t index, std::uint64_t inOctets, std::uint64_t outOctets) {
    NetworkInterface row;
    row.index = index;
    row.receivedBytes = inOctets;
    row.sentBytes = outOctets;
    return row;
}

}  // namespace quorell
