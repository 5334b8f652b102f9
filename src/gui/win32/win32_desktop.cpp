#include "gui/win32/win32_desktop.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/win32/owned_handle.h"
#include "gui/win32/view_set.h"
#include "gui/win32/web_address.h"
#include "gui/win32/win32_convert.h"
#include "gui/win32/win32_text.h"
#include "ui_model/menu.h"

namespace quorell::gui {

namespace {

// The tray event of a mouse notification of the icon; nothing for the rest (moves, presses).
std::optional<TrayClick> ClickOf(UINT mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONUP:
            return TrayClick::LeftUp;
        case WM_LBUTTONDBLCLK:
            return TrayClick::DoubleClick;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
            return TrayClick::RightUp;
        default:
            return std::nullopt;
    }
}

// A menu caption as the text to show: a single "&" would mark the next letter as the item's key.
std::wstring MenuCaption(const std::string& caption) {
    std::wstring shown;
    for (const wchar_t c : Wide(caption)) {
        shown += c;
        if (c == L'&') {
            shown += L'&';
        }
    }
    return shown;
}

BOOL CALLBACK AddScreen(HMONITOR monitor, HDC, LPRECT, LPARAM screens) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        auto& list = *reinterpret_cast<std::vector<ScreenRect>*>(screens);
        const ScreenRect screen{r.left, r.top, r.right - r.left, r.bottom - r.top};
        if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
            list.insert(list.begin(), screen);
        } else {
            list.push_back(screen);
        }
    }
    return TRUE;
}

// While a message box is up, every other shown window of the thread takes no input (the box's owner is
// disabled by the box itself), as for a box without owner; each comes back as it was.
class OtherWindowsDisabled {
public:
    explicit OtherWindowsDisabled(HWND owner) : owner_(owner) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(this));
    }
    ~OtherWindowsDisabled() {
        for (const HWND window : disabled_) {
            if (::IsWindow(window)) {
                ::EnableWindow(window, TRUE);
            }
        }
    }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK DisableOne(HWND window, LPARAM self) {
        auto& disabling = *reinterpret_cast<OtherWindowsDisabled*>(self);
        if (window != disabling.owner_ && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
            ::EnableWindow(window, FALSE);
            disabling.disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND owner_;
    std::vector<HWND> disabled_;
};

}  // namespace

Win32Desktop::Win32Desktop(WindowLookup windows, ViewContext& context, ProgramWindow& programWindow)
    : windows_(std::move(windows)),
      context_(context),
      programWindow_(programWindow.Handle()),
      taskbarCreatedMessage_(::RegisterWindowMessageW(L"TaskbarCreated")),
      tray_(programWindow.Handle(), kTrayCallbackMessage) {
    if (programWindow_ != nullptr && taskbarCreatedMessage_ != 0) {
        // A program started with more rights than the shell still hears the shell's broadcast.
        ::ChangeWindowMessageFilterEx(programWindow_, taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
    }
    programWindow.SetMessageHook(
        [this](UINT message, WPARAM wParam, LPARAM lParam) { return OnProgramWindowMessage(message, wParam, lParam); });
}

Win32Desktop::~Win32Desktop() = default;

void Win32Desktop::AttachViews(ViewSet* views) {
    views_ = views;
    pendingKeys_.Release([this](WindowKind window, PendingColourKeys::Key key) { SetColourKeyTransparency(window, key); });
}

std::optional<LRESULT> Win32Desktop::OnProgramWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMessage) {
        if (trayData_ && wParam == static_cast<WPARAM>(trayData_->identifier)) {
            OnTrayNotification(LOWORD(lParam));
        }
        return 0;
    }
    if (message == kTrayEventMessage) {
        // The icon may have gone (the run ended) between the notification and now.
        if (trayData_) {
            const WindowKind owner = trayData_->owner;
            const auto click = static_cast<TrayClick>(wParam);
            context_.Run([&] { windows_(owner).RaiseTrayEvent(click); });
        }
        return 0;
    }
    if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) {
        tray_.Restore();
        return 0;
    }
    return std::nullopt;
}

void Win32Desktop::OnTrayNotification(UINT mouseMessage) {
    const std::optional<TrayClick> click = ClickOf(mouseMessage);
    if (!click) {
        return;
    }
    // Handled once the shell's notification has returned: the handler pops up the menu (a loop of its own)
    // and may end the run, which removes this very icon.
    ::PostMessageW(programWindow_, kTrayEventMessage, static_cast<WPARAM>(*click), 0);
}

HICON Win32Desktop::TrayImageIcon(TrayImage image) const {
    return image == TrayImage::Application ? context_.SmallIcon() : nullptr;
}

bool Win32Desktop::AddTrayIcon(const TrayIconData& icon) {
    if (trayData_ && tray_.Wanted()) {
        return ChangeTrayIcon(icon);
    }
    trayData_ = icon;
    return tray_.Add(static_cast<UINT>(icon.identifier), TrayImageIcon(icon.image), Wide(icon.tipText));
}

bool Win32Desktop::ChangeTrayIcon(const TrayIconData& icon) {
    if (!trayData_ || trayData_->identifier != icon.identifier) {
        return false;
    }
    trayData_ = icon;
    return tray_.Change(TrayImageIcon(icon.image), Wide(icon.tipText));
}

bool Win32Desktop::RemoveTrayIcon(int identifier) {
    if (!trayData_ || trayData_->identifier != identifier) {
        return false;
    }
    trayData_.reset();
    return tray_.Remove();
}

ScreenPoint Win32Desktop::CursorPosition() const {
    POINT at{};
    ::GetCursorPos(&at);
    return {at.x, at.y};
}

std::optional<std::size_t> Win32Desktop::PopUpMenu(WindowKind owner, std::string_view menuName, ScreenPoint topLeft) {
    if (menuOpen_ || programWindow_ == nullptr) {
        return std::nullopt;  // one popup at a time
    }
    const PopupMenu& model = windows_(owner).Menu(menuName);
    const OwnedMenu menu(::CreatePopupMenu());
    if (!menu) {
        return std::nullopt;
    }
    for (std::size_t position = 1; position <= model.ItemCount(); ++position) {
        const MenuItem& item = model.Item(position);
        if (item.Separator()) {
            ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT flags = MF_STRING | (item.Checkable() && item.Checked() ? MF_CHECKED : MF_UNCHECKED);
        ::AppendMenuW(menu.Get(), flags, position, MenuCaption(item.Caption()).c_str());
    }
    // The menu of a notification-area icon closes when the user clicks elsewhere only if its owner is the
    // foreground window; the message posted afterwards lets a second popup open at once.
    menuOpen_ = true;
    ::SetForegroundWindow(programWindow_);
    const BOOL chosen = ::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                         topLeft.x, topLeft.y, 0, programWindow_, nullptr);
    ::PostMessageW(programWindow_, WM_NULL, 0, 0);
    menuOpen_ = false;
    if (chosen <= 0 || static_cast<std::size_t>(chosen) > model.ItemCount()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(chosen);
}

int Win32Desktop::ShowMessageBox(const std::wstring& text, const std::wstring& title, UINT style) const {
    // Owned by the framed window the user is working in (the keyboard comes back to it afterwards), else by
    // the main window, in front even when asked from the tray, and in the topmost band above the
    // always-on-top monitor windows, which would otherwise cover its buttons at the screen centre.
    HWND owner = views_ != nullptr ? views_->Handle(WindowKind::Main) : nullptr;
    if (views_ != nullptr) {
        const HWND active = ::GetActiveWindow();
        for (WindowKind kind : kAllWindowKinds) {
            if (active != nullptr && active == views_->Handle(kind) && ::IsWindowVisible(active) &&
                windows_(kind).Flags().border != BorderStyle::None) {
                owner = active;
            }
        }
    }
    const OtherWindowsDisabled modal(owner);
    return ::MessageBoxW(owner, text.c_str(), title.c_str(), style | MB_TASKMODAL | MB_TOPMOST | MB_SETFOREGROUND);
}

MessageAnswer Win32Desktop::AskYesNo(std::string_view title, std::string_view text, MessageIcon icon) {
    const UINT style = MB_YESNO | (icon == MessageIcon::Question ? MB_ICONQUESTION : MB_ICONERROR);
    return ShowMessageBox(Wide(text), Wide(title), style) == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

void Win32Desktop::ShowFatalError(std::string_view text) {
    ShowMessageBox(Wide(text), L"Quorell", MB_OK | MB_ICONERROR);
}

void Win32Desktop::ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) {
    ShowMessageBox(Wide(text), Wide(title), MB_OK | (icon == MessageIcon::Question ? MB_ICONINFORMATION : MB_ICONERROR));
}

bool Win32Desktop::OpenWebAddress(std::string_view address) {
    if (!IsWebAddress(address)) {
        return false;
    }
    const HINSTANCE result = ::ShellExecuteW(nullptr, L"open", Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Success is any value above 32, by the call's old convention.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void Win32Desktop::SetColourKeyTransparency(WindowKind window, std::optional<std::uint32_t> colourKey) {
    const HWND hwnd = views_ != nullptr ? views_->Handle(window) : nullptr;
    if (hwnd == nullptr) {
        pendingKeys_.Hold(window, colourKey);
        return;
    }
    pendingKeys_.Drop(window);
    // Only the layered bit changes: the tool-window and topmost bits keep a monitor window out of the task
    // bar and above the others.
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    if (colourKey) {
        ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, style | WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(hwnd, ToColorRef(*colourKey), 0, LWA_COLORKEY);
        return;
    }
    if ((style & WS_EX_LAYERED) != 0) {
        // An ordinary window again, drawn opaque by its own painting; it must be painted anew.
        ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

std::vector<ScreenRect> Win32Desktop::Screens() const {
    std::vector<ScreenRect> screens;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddScreen, reinterpret_cast<LPARAM>(&screens));
    return screens;
}

bool Win32Desktop::TrayHostPresent() const {
    // The task bar's window holds the notification area; an icon it refused (the shell not ready yet at
    // login) is offered again while it is there, and at once when the shell says it started.
    return ::FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

void Win32Desktop::ShowNotice(std::string_view title, std::string_view text) {
    tray_.Notify(Wide(title), Wide(text));
}

void Win32Desktop::MinimizeWindow(WindowKind window) {
    const HWND hwnd = views_ != nullptr ? views_->Handle(window) : nullptr;
    if (hwnd != nullptr) {
        ::ShowWindow(hwnd, SW_MINIMIZE);
    }
}

void Win32Desktop::Quit(int exitCode) {
    exitCode_ = exitCode;
    if (trayData_) {
        RemoveTrayIcon(trayData_->identifier);
    }
    // The end may come inside a modal loop of the system (a window being moved or sized, a menu), which
    // can swallow the quit message or wait for a mouse button that never comes up: those loops end now,
    // and the program's own loop ends on the exit code once control comes back to it.
    ::EndMenu();
    if (const HWND captured = ::GetCapture()) {
        ::SendMessageW(captured, WM_CANCELMODE, 0, 0);
    }
    ::ReleaseCapture();
    ::PostQuitMessage(exitCode);
}

}  // namespace quorell::gui
