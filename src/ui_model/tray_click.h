#pragma once

namespace quorell {

// A mouse action on a notification-area icon, as the owner window's tray event carries it.
enum class TrayClick {
    LeftUp,       // the left button released
    DoubleClick,  // the left button double-clicked
    RightUp,      // the right button released, or the context-menu key
};

}  // namespace quorell
