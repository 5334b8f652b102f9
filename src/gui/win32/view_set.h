#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "gui/win32/view_context.h"
#include "ui_model/window.h"

namespace quorell::gui {

class WindowView;

// The seven native top-level windows of a run, one per model window, made once the model windows exist
// (after the application's start). Each mirrors its model window and forwards the user's input to it.
class ViewSet {
public:
    using WindowLookup = std::function<Window&(WindowKind)>;
    ViewSet(const WindowLookup& windows, ViewContext& context);
    ~ViewSet();
    ViewSet(const ViewSet&) = delete;
    ViewSet& operator=(const ViewSet&) = delete;

    // The native window of a model window.
    HWND Handle(WindowKind kind) const;
    // The view of a model window.
    WindowView& View(WindowKind kind) const { return *views_.at(static_cast<std::size_t>(kind)); }

    // The message loop offers every message here before translating and dispatching it; true when a view
    // consumed it (Esc, which closes a window whichever of its controls has the focus).
    bool PreTranslate(const MSG& message);

private:
    std::array<std::unique_ptr<WindowView>, kWindowKindCount> views_;
};

}  // namespace quorell::gui
