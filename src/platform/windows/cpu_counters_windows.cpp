#include "platform/windows/cpu_counters_windows.h"

#include <windows.h>
#include <winternl.h>

#include <cstring>
#include <string>

#include "platform/windows/environment_windows.h"

namespace quorell {
namespace {

// The time-of-day record: boot time, current system time, time-zone bias (8 bytes each), then the
// time-zone id and a reserved field. Only the current time is used.
constexpr ULONG kTimeOfDayBytes = 32;
constexpr std::size_t kCurrentTimeOffset = 8;
// The performance record starts with the idle time of all processors. Its size grew with the versions
// of Windows, and a length below the running version's size is refused, so the buffer has room to spare.
constexpr ULONG kPerformanceBytes = 1024;
constexpr std::size_t kIdleTimeOffset = 0;

std::int64_t Int64At(const unsigned char* record, std::size_t offset) {
    std::int64_t value = 0;
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

}  // namespace

std::optional<CpuTimes> WindowsCpuCounters::ReadCpuTimes() {
    alignas(8) unsigned char timeOfDay[kTimeOfDayBytes] = {};
    if (!NT_SUCCESS(::NtQuerySystemInformation(SystemTimeOfDayInformation, timeOfDay, kTimeOfDayBytes, nullptr))) {
        return std::nullopt;
    }
    alignas(8) unsigned char performance[kPerformanceBytes] = {};
    ULONG returned = 0;
    if (!NT_SUCCESS(
            ::NtQuerySystemInformation(SystemPerformanceInformation, performance, kPerformanceBytes, &returned)) ||
        returned < kIdleTimeOffset + sizeof(std::int64_t)) {
        return std::nullopt;
    }
    return CpuTimes{Int64At(performance, kIdleTimeOffset), Int64At(timeOfDay, kCurrentTimeOffset), ProcessorCount()};
}

int ProcessorCount() {
    const std::wstring named = WideEnvironmentValue(L"NUMBER_OF_PROCESSORS");
    if (!named.empty() && named.size() < 6 && named.find_first_not_of(L"0123456789") == std::wstring::npos) {
        const int count = std::stoi(named);
        if (count > 0) {
            return count;
        }
    }
    const DWORD active = ::GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
    if (active > 0) {
        return static_cast<int>(active);
    }
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    return static_cast<int>(info.dwNumberOfProcessors);
}

}  // namespace quorell
