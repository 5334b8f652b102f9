#include "gui/win32/view_set.h"

#include <commctrl.h>

#include "gui/win32/window_view.h"

namespace quorell::gui {

ViewSet::ViewSet(const WindowLookup& windows, ViewContext& context) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    // The other windows first, so that the main window (shown at once) comes up last, on top.
    for (auto it = kAllWindowKinds.rbegin(); it != kAllWindowKinds.rend(); ++it) {
        views_[IndexOf(*it)] = std::make_unique<WindowView>(windows(*it), context);
    }
}

ViewSet::~ViewSet() = default;

HWND ViewSet::Handle(WindowKind kind) const {
    return views_.at(IndexOf(kind))->Handle();
}

bool ViewSet::PreTranslate(const MSG& message) {
    for (const auto& view : views_) {
        if (view->PreTranslate(message)) {
            return true;
        }
    }
    return false;
}

}  // namespace quorell::gui
