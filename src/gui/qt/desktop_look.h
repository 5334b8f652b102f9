#pragma once

class QApplication;

namespace quorell::gui {

// Chooses the X11 platform plugin when the user named none and an X display is there (Wayland lets
// no program place its own windows or keep them on top). Call before the application object exists.
void PreferX11Platform();

// The look every window is designed for: one style on every desktop and an 11-pixel user-interface
// font that has the Chinese characters of the texts.
void ApplyDesktopLook(QApplication& application);

}  // namespace quorell::gui
