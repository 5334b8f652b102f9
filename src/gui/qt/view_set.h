#pragma once

#include <array>
#include <functional>
#include <memory>

#include "gui/qt/view_context.h"
#include "gui/qt/window_view.h"
#include "ui_model/window.h"

namespace quorell::gui {

class MonitorWindowView;

// The seven top-level views of a run, one per model window, made once the model windows exist.
// The monitor windows get the monitor view; the others the plain window view.
class ViewSet {
public:
    using WindowLookup = std::function<Window&(WindowKind)>;
    ViewSet(const WindowLookup& windows, ViewContext& context);
    ~ViewSet();
    ViewSet(const ViewSet&) = delete;
    ViewSet& operator=(const ViewSet&) = delete;

    WindowView& View(WindowKind kind) const;
    // Nothing for the windows that are not monitors.
    MonitorWindowView* Monitor(WindowKind kind) const;

private:
    std::array<std::unique_ptr<WindowView>, kWindowKindCount> views_;
};

std::unique_ptr<WindowView> MakeWindowView(Window& model, ViewContext& context);

}  // namespace quorell::gui
