#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "gui/qt/view_context.h"
#include "app/desktop_port.h"
#include "ui_model/pending_colour_keys.h"
#include "ui_model/window.h"

#include <QMenu>
#include <QMessageBox>

namespace quorell::gui {

class ViewSet;

// The desktop services of the Qt front end: the tray icon, the popup menu, the message boxes, the web
// browser, the see-through monitor windows, the screens and the end of the event loop.
class QtDesktop : public QObject, public DesktopPort {
    Q_OBJECT
public:
    using WindowLookup = std::function<Window&(WindowKind)>;

    // `windows` finds a model window; it is asked only once the core has made its windows.
    QtDesktop(WindowLookup windows, ViewContext& context);
    ~QtDesktop() override;

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
    bool TrayHostPresent() const override;
    void ShowNotice(std::string_view title, std::string_view text) override;
    void MinimizeWindow(WindowKind window) override;
    void Quit(int exitCode) override;

    // What ends the event loop; by default QCoreApplication::exit. Ending the loop also ends every
    // later nested loop (menus, message boxes), so tests put a recorder here.
    void SetLoopExit(std::function<void(int)> exitLoop) { exitLoop_ = std::move(exitLoop); }

    QSystemTrayIcon* TrayIcon() const { return tray_.get(); }
    // The menu while it is popped up (for the desktop's own tests), else null.
    QMenu* OpenMenu() const { return openMenu_; }
    std::optional<int> ExitCode() const { return exitCode_; }

private:
    void ApplyTray(const TrayIconData& icon);
    // The active window's view, else the main window's while it is shown, so that a message box stands in
    // front of it; else none.
    QWidget* MessageBoxParent() const;
    void PrepareMessageBox(QMessageBox& box) const;
    void OnTrayActivated(QSystemTrayIcon::ActivationReason reason);

    WindowLookup windows_;
    ViewContext& context_;
    ViewSet* views_ = nullptr;
    std::unique_ptr<QSystemTrayIcon> tray_;
    QElapsedTimer lastActivation_;  // the last single activation of the tray icon
    std::optional<TrayIconData> trayData_;
    PendingColourKeys pendingKeys_;
    QPointer<QMenu> openMenu_;
    std::optional<int> exitCode_;
    std::function<void(int)> exitLoop_;
};

// The text as a message box or tip shows it: the core's "\r\n" line breaks become "\n".
QString DisplayText(std::string_view text);

}  // namespace quorell::gui
