#include "app/monitor_placement.h"

#include <stdexcept>

#include "runtime/value_text.h"
#include "ui_model/colour.h"
#include "ui_model/control_names.h"
#include "ui_model/controls.h"

namespace quorell {

namespace {

const char* KeyPrefix(WindowKind monitor) {
    switch (monitor) {
        case WindowKind::CpuMonitor:
            return "Cpu";
        case WindowKind::MemoryMonitor:
            return "内存";
        case WindowKind::ReceiveMonitor:
            return "接收";
        case WindowKind::SendMonitor:
            return "发送";
        default:
            break;
    }
    throw std::invalid_argument("not a monitor window");
}

}  // namespace

std::string MonitorPlacement::LeftKey(WindowKind monitor) {
    return std::string(KeyPrefix(monitor)) + "左边";
}
std::string MonitorPlacement::TopKey(WindowKind monitor) {
    return std::string(KeyPrefix(monitor)) + "顶边";
}

std::size_t MonitorPlacement::Slot(WindowKind monitor) {
    KeyPrefix(monitor);  // refuses the main and trend windows
    return static_cast<std::size_t>(monitor) - static_cast<std::size_t>(WindowKind::CpuMonitor);
}

bool MonitorPlacement::PlacementReady(WindowKind monitor) const {
    return placementReady_[Slot(monitor)];
}

void MonitorPlacement::RestorePosition(WindowKind monitor) {
    Window& window = windows_.Get(monitor);
    const int left = ToInteger(settings_.Read(kLayoutSection, LeftKey(monitor), ToText(std::int32_t{window.Left()})));
    const int top = ToInteger(settings_.Read(kLayoutSection, TopKey(monitor), ToText(std::int32_t{window.Top()})));
    const Rect stored{left, top, window.OuterSize().width, window.OuterSize().height};
    if (VisibleOnSomeScreen(desktop_.Screens(), stored)) {
        window.SetLeft(left);
        window.SetTop(top);
    }
    placementReady_[Slot(monitor)] = true;
}

void MonitorPlacement::StorePosition(WindowKind monitor) {
    if (!placementReady_[Slot(monitor)]) {
        return;
    }
    const Window& window = windows_.Get(monitor);
    settings_.Write(kLayoutSection, LeftKey(monitor), ToText(std::int32_t{window.Left()}));
    settings_.Write(kLayoutSection, TopKey(monitor), ToText(std::int32_t{window.Top()}));
}

void MonitorPlacement::OnTransparencyClicked() {
    const bool ticked = windows_.Main().CheckBox(names::kTransparencyBox).Checked();
    for (WindowKind monitor :
         {WindowKind::CpuMonitor, WindowKind::ReceiveMonitor, WindowKind::SendMonitor, WindowKind::MemoryMonitor}) {
        SetMonitorTransparency(monitor, ticked);
    }
    StoreTransparency(settings_, windows_.Main());
}

void MonitorPlacement::SetMonitorTransparency(WindowKind monitor, bool enabled) {
    desktop_.SetColourKeyTransparency(monitor,
                                      enabled ? std::optional<std::uint32_t>(colours::kGraphBackground) : std::nullopt);
}

bool MonitorPlacement::HideMonitor(WindowKind monitor) {
    windows_.Get(monitor).SetVisible(false);
    return false;
}

}  // namespace quorell
