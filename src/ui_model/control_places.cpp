#include "ui_model/control_places.h"

#include "ui_model/controls.h"

namespace quorell {

namespace {

const Control* ContainerOf(const Window& window, const Control& control) {
    return control.Container().empty() ? nullptr : window.Find(control.Container());
}

bool Contains(const Rect& rect, Point point) {
    return point.x >= rect.left && point.x < rect.Right() && point.y >= rect.top && point.y < rect.Bottom();
}

// Containers are at most a few levels deep; the bound only guards against a design that loops.
constexpr int kDeepestNesting = 16;

}  // namespace

bool IsStatic(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::ShapeBox:
        case ControlKind::PictureBox:
        case ControlKind::GroupBox:
            return true;
        default:
            return false;
    }
}

Rect PlaceInClient(const Window& window, const Control& control) {
    Rect place = control.Geometry();
    const Control* container = ContainerOf(window, control);
    for (int depth = 0; container != nullptr && depth < kDeepestNesting; ++depth) {
        place.left += container->Geometry().left;
        place.top += container->Geometry().top;
        container = ContainerOf(window, *container);
    }
    return place;
}

const TabControl* PageHolder(const Window& window, const Control& control) {
    const Control* inner = &control;
    const Control* container = ContainerOf(window, control);
    for (int depth = 0; container != nullptr && depth < kDeepestNesting; ++depth) {
        if (container->Kind() == ControlKind::TabControl && inner->Page()) {
            return static_cast<const TabControl*>(container);
        }
        inner = container;
        container = ContainerOf(window, *container);
    }
    return nullptr;
}

bool OnCurrentPage(const Window& window, const Control& control) {
    const Control* inner = &control;
    const Control* container = ContainerOf(window, control);
    for (int depth = 0; container != nullptr && depth < kDeepestNesting; ++depth) {
        if (container->Kind() == ControlKind::TabControl && inner->Page() &&
            static_cast<const TabControl*>(container)->CurrentPage() != *inner->Page()) {
            return false;
        }
        inner = container;
        container = ContainerOf(window, *container);
    }
    return true;
}

Hit HitTest(const Window& window, Point client) {
    const bool drag = window.Flags().dragAnywhere;
    const auto& controls = window.Controls();
    // Later controls lie over earlier ones (containers come before what they hold).
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const Control& control = **it;
        if (control.Kind() == ControlKind::Timer || control.Kind() == ControlKind::Menu ||
            !Contains(PlaceInClient(window, control), client) || !OnCurrentPage(window, control)) {
            continue;
        }
        const bool caption = drag && IsStatic(control.Kind());
        return {caption ? HitArea::Caption : HitArea::Client, &control};
    }
    return {drag ? HitArea::Caption : HitArea::Client, nullptr};
}

}  // namespace quorell
