#include "ui_model/pending_colour_keys.h"

#include <utility>

namespace quorell {

void PendingColourKeys::Hold(WindowKind window, Key key) {
    keys_.at(IndexOf(window)) = key;
}

void PendingColourKeys::Drop(WindowKind window) {
    keys_.at(IndexOf(window)).reset();
}

bool PendingColourKeys::Holds(WindowKind window) const {
    return keys_.at(IndexOf(window)).has_value();
}

void PendingColourKeys::Release(const std::function<void(WindowKind, Key)>& apply) {
    const auto pending = std::exchange(keys_, {});
    for (const WindowKind window : kAllWindowKinds) {
        if (const auto& key = pending.at(IndexOf(window))) {
            apply(window, *key);
        }
    }
}

}  // namespace quorell
