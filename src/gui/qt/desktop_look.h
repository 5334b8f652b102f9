#pragma once

class QApplication;
class QTranslator;

namespace quorell::gui {

// Chooses the X11 platform plugin when the user named none and an X display is there (Wayland lets
// no program place its own windows or keep them on top). Call before the application object exists.
void PreferX11Platform();

// Sends window pixels to the X server over the connection instead of through shared memory, unless the
// user chose otherwise. With shared memory every repaint of a window first waits for the server to
// finish showing the previous one, a round trip per window per second; the windows are small, so
// sending their changed pixels costs less. Call before the application object exists.
void PreferSocketImageTransfer();

// The look every window is designed for: one style on every desktop and an 11-pixel user-interface
// font that has the Chinese characters of the texts.
void ApplyDesktopLook(QApplication& application);

// The program speaks Chinese, so Qt's own texts (the message boxes' buttons, the edit box's menu) do
// too: loads Qt's Chinese translation into `translator` and installs it. False when it is not installed;
// the texts then stay English. The translator must live as long as the application.
bool InstallQtChineseTexts(QTranslator& translator);

}  // namespace quorell::gui
