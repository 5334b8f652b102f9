#pragma once

#include <windows.h>

#include <string_view>

namespace quorell::gui {

// One notification-area icon of the program's hidden window, which hears its mouse notifications as
// `callbackMessage` (the mouse message in the low word of lParam). Each call returns whether the shell
// took it.
class TrayIcon {
public:
    TrayIcon(HWND owner, UINT callbackMessage);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon, or changes it when the shell has it already. A null icon shows no image.
    bool Add(UINT identifier, HICON icon, std::wstring_view tip);
    bool Change(HICON icon, std::wstring_view tip);
    bool Remove();

    // A notification from the icon (the shell's balloon or toast); false when the icon is not in the shell.
    bool Notify(std::wstring_view title, std::wstring_view text);

    // The shell started again (its "TaskbarCreated" broadcast) and lost every icon: adds it once more.
    bool Restore();

    bool Wanted() const { return wanted_; }
    bool InShell() const { return inShell_; }

private:
    // The image and tip the shell is given from now on.
    void Keep(HICON icon, std::wstring_view tip);
    bool Send(DWORD operation);

    HWND owner_;
    UINT callbackMessage_;
    UINT identifier_ = 0;
    HICON icon_ = nullptr;
    wchar_t tip_[128] = {};
    bool wanted_ = false;  // added by the program and not removed since
    bool inShell_ = false;
};

}  // namespace quorell::gui
