#include "gui/win32/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

namespace quorell::gui {

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage) : owner_(owner), callbackMessage_(callbackMessage) {}

TrayIcon::~TrayIcon() {
    Remove();
}

bool TrayIcon::Add(UINT identifier, HICON icon, std::wstring_view tip) {
    if (wanted_ && identifier == identifier_) {
        return Change(icon, tip);
    }
    Remove();
    identifier_ = identifier;
    wanted_ = true;
    Keep(icon, tip);
    return Restore();
}

bool TrayIcon::Change(HICON icon, std::wstring_view tip) {
    if (!wanted_) {
        return false;
    }
    Keep(icon, tip);
    // An icon the shell refused earlier gets another chance to be added.
    return inShell_ ? Send(NIM_MODIFY) : Restore();
}

bool TrayIcon::Remove() {
    if (!wanted_) {
        return false;
    }
    wanted_ = false;
    const bool removed = inShell_ && Send(NIM_DELETE);
    inShell_ = false;
    return removed;
}

bool TrayIcon::Restore() {
    if (!wanted_) {
        return false;
    }
    // A shell that kept the icon (the broadcast also comes when only the screen's scale changed) refuses
    // to add it twice; then it is brought up to date instead.
    inShell_ = Send(NIM_ADD) || Send(NIM_MODIFY);
    return inShell_;
}

bool TrayIcon::Notify(std::wstring_view title, std::wstring_view text) {
    if (!inShell_) {
        return false;
    }
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = identifier_;
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_WARNING;
    // The shell keeps 63 characters of the title and 255 of the text, each with its terminating null.
    const std::size_t titleLength = std::min(title.size(), std::size(data.szInfoTitle) - 1);
    std::copy_n(title.data(), titleLength, data.szInfoTitle);
    const std::size_t textLength = std::min(text.size(), std::size(data.szInfo) - 1);
    std::copy_n(text.data(), textLength, data.szInfo);
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void TrayIcon::Keep(HICON icon, std::wstring_view tip) {
    icon_ = icon;
    // The shell keeps 127 characters and the terminating null; the core has cut the tip already.
    const std::size_t length = std::min(tip.size(), std::size(tip_) - 1);
    std::copy_n(tip.data(), length, tip_);
    tip_[length] = L'\0';
}

bool TrayIcon::Send(DWORD operation) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = identifier_;
    if (operation != NIM_DELETE) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = callbackMessage_;
        data.hIcon = icon_;
        std::copy(std::begin(tip_), std::end(tip_), std::begin(data.szTip));
    }
    // The original notification protocol: a right click and the context-menu key both arrive as
    // WM_RBUTTONUP, each exactly once.
    return ::Shell_NotifyIconW(operation, &data) != FALSE;
}

}  // namespace quorell::gui
