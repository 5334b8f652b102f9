#pragma once

#include <array>
#include <functional>
#include <optional>

#include "ui_model/colour.h"
#include "ui_model/window_kind.h"

namespace quorell {

// The see-through colour keys asked for windows whose native windows do not exist yet: the core may ask
// before the front end has made its views, and each window must take the last key asked for it (or
// none: opaque again) once it exists.
class PendingColourKeys {
public:
    using Key = std::optional<Rgb>;  // nothing: the window is drawn opaque

    // Keeps the key until the window exists; a later ask replaces it.
    void Hold(WindowKind window, Key key);
    // The window took a key of its own: nothing is pending for it any more.
    void Drop(WindowKind window);
    bool Holds(WindowKind window) const;
    // Hands every pending key to `apply` and forgets them first, so that `apply` may hold a key again.
    void Release(const std::function<void(WindowKind, Key)>& apply);

private:
    std::array<std::optional<Key>, kWindowKindCount> keys_;
};

}  // namespace quorell
