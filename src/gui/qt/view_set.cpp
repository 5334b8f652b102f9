#include "gui/qt/view_set.h"

#include "gui/qt/monitor_window_view.h"

namespace quorell::gui {

std::unique_ptr<WindowView> MakeWindowView(Window& model, ViewContext& context) {
    switch (model.Kind()) {
        case WindowKind::CpuMonitor:
        case WindowKind::MemoryMonitor:
        case WindowKind::ReceiveMonitor:
        case WindowKind::SendMonitor:
            return std::make_unique<MonitorWindowView>(model, context);
        case WindowKind::Main:
        case WindowKind::Trend:
        case WindowKind::Alerts:
            break;
    }
    return std::make_unique<WindowView>(model, context);
}

ViewSet::ViewSet(const WindowLookup& windows, ViewContext& context) {
    // The other windows first, so that the main window (shown at once) comes up last, on top.
    for (auto it = kAllWindowKinds.rbegin(); it != kAllWindowKinds.rend(); ++it) {
        views_[IndexOf(*it)] = MakeWindowView(windows(*it), context);
    }
}

ViewSet::~ViewSet() = default;

WindowView& ViewSet::View(WindowKind kind) const {
    return *views_.at(IndexOf(kind));
}

MonitorWindowView* ViewSet::Monitor(WindowKind kind) const {
    return dynamic_cast<MonitorWindowView*>(views_.at(IndexOf(kind)).get());
}

}  // namespace quorell::gui
