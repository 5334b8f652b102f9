#pragma once

namespace quorell {

// The six windows of the program: the desktop port names them, the window model builds them.
enum class WindowKind : int { Main, CpuMonitor, MemoryMonitor, ReceiveMonitor, SendMonitor, Trend };

}  // namespace quorell
