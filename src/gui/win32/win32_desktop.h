#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "gui/win32/program_window.h"
#include "gui/win32/tray_icon.h"
#include "gui/win32/view_context.h"
#include "app/desktop_port.h"
#include "ui_model/pending_colour_keys.h"
#include "ui_model/window.h"

namespace quorell::gui {

class ViewSet;

// The desktop services of the Win32 front end: the tray icon, the popup menu, the message boxes, the web
// browser, the colour-keyed monitor windows, the screens and the end of the message loop. The tray icon
// and the menus belong to the program's hidden window.
class Win32Desktop : public DesktopPort {
public:
    using WindowLookup = std::function<Window&(WindowKind)>;

    // `windows` finds a model window; it is asked only once the core has made its windows.
    Win32Desktop(WindowLookup windows, ViewContext& context, ProgramWindow& programWindow);
    ~Win32Desktop() override;
    Win32Desktop(const Win32Desktop&) = delete;
    Win32Desktop& operator=(const Win32Desktop&) = delete;

    // The views of the run. Transparency asked for before they exist is applied here.
    void AttachViews(ViewSet* views);

    bool AddTrayIcon(const TrayIconData& icon) override;
    bool ChangeTrayIcon(const TrayIconData& icon) override;
    bool RemoveTrayIcon(int identifier) override;
    ScreenPoint CursorPosition() const override;
    std::optional<std::size_t> PopUpMenu(WindowKind owner, std::string_view menuName, ScreenPoint topLeft) override;
    MessageAnswer AskYesNo(std::string_view title, std::string_view text, MessageIcon icon) override;
    void ShowFatalError(std::string_view text) override;
    void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) override;
    bool OpenWebAddress(std::string_view address) override;
    void SetColourKeyTransparency(WindowKind window, std::optional<std::uint32_t> colourKey) override;
    std::vector<ScreenRect> Screens() const override;
    void Quit(int exitCode) override;

    std::optional<int> ExitCode() const { return exitCode_; }

private:
    std::optional<LRESULT> OnProgramWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnTrayNotification(UINT mouseMessage);
    HICON TrayImageIcon(TrayImage image) const;
    int ShowMessageBox(const std::wstring& text, const std::wstring& title, UINT style) const;

    WindowLookup windows_;
    ViewContext& context_;
    HWND programWindow_;
    UINT taskbarCreatedMessage_;
    TrayIcon tray_;
    std::optional<TrayIconData> trayData_;
    ViewSet* views_ = nullptr;
    PendingColourKeys pendingKeys_;
    bool menuOpen_ = false;
    std::optional<int> exitCode_;
};

}  // namespace quorell::gui
