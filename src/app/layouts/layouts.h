#pragma once

#include <string>

#include "ui_model/window_design.h"

namespace quorell {

// The seven window designs. Every window is centred on the screen when it is created; the positions here
// are those of the controls inside their containers.
WindowDesign MainWindowLayout();
WindowDesign CpuMonitorLayout();
WindowDesign MemoryMonitorLayout();
WindowDesign ReceiveMonitorLayout();
WindowDesign SendMonitorLayout();
WindowDesign TrendWindowLayout();
WindowDesign AlertsWindowLayout();
WindowDesign LayoutOf(WindowKind kind);

// Texts of our own that the designs and the tray carry.
inline constexpr const char* kMakerCredit = "Quorell 团队";
inline constexpr const char* kMakerWebAddress = "https://quorell.example.org/";
inline constexpr const char* kMakerWebHost = "quorell.example.org";  // the address as the tray tip shows it

}  // namespace quorell
