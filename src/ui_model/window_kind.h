#pragma once

#include <array>
#include <cstddef>

namespace quorell {

// The seven windows of the program: the desktop port names them, the window model builds them.
enum class WindowKind : int { Main, CpuMonitor, MemoryMonitor, ReceiveMonitor, SendMonitor, Trend, Alerts };

inline constexpr std::size_t kWindowKindCount = 7;

// Every window kind, in the order of the enumeration.
inline constexpr std::array<WindowKind, kWindowKindCount> kAllWindowKinds = {
    WindowKind::Main,        WindowKind::CpuMonitor, WindowKind::MemoryMonitor, WindowKind::ReceiveMonitor,
    WindowKind::SendMonitor, WindowKind::Trend,      WindowKind::Alerts};

// The kind's place in per-window arrays.
constexpr std::size_t IndexOf(WindowKind kind) {
    return static_cast<std::size_t>(kind);
}

}  // namespace quorell
