#include "app/window_set.h"

#include "app/layouts/layouts.h"

namespace quorell {

WindowSet::WindowSet(const std::vector<ScreenRect>& screens) {
    for (WindowKind kind : kAllWindowKinds) {
        auto window = std::make_unique<Window>(LayoutOf(kind));
        const Point centre = CentredOn(screens, window->OuterSize());
        window->MoveTo(centre.x, centre.y);
        windows_[IndexOf(kind)] = std::move(window);
    }
}

Window& WindowSet::Get(WindowKind kind) const {
    return *windows_.at(IndexOf(kind));
}

Point CentredOn(const std::vector<ScreenRect>& screens, Size size) {
    if (screens.empty()) {
        return {0, 0};
    }
    const ScreenRect& primary = screens.front();
    return {primary.left + (primary.width - size.width) / 2, primary.top + (primary.height - size.height) / 2};
}

bool VisibleOnSomeScreen(const std::vector<ScreenRect>& screens, const Rect& bounds) {
    if (screens.empty()) {
        return true;
    }
    for (const ScreenRect& screen : screens) {
        if (bounds.Intersects(Rect{screen.left, screen.top, screen.width, screen.height})) {
            return true;
        }
    }
    return false;
}

}  // namespace quorell
