#include "gui/qt/qt_desktop.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "gui/qt/monitor_window_view.h"
#include "gui/qt/qt_text.h"
#include "gui/qt/view_set.h"
#include "ui_model/menu.h"

namespace quorell::gui {

namespace {

// How long a notice stays when the desktop leaves that to the program.
constexpr int kNoticeMilliseconds = 15000;

std::optional<TrayClick> ClickOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return TrayClick::LeftUp;
        case QSystemTrayIcon::DoubleClick:
            return TrayClick::DoubleClick;
        case QSystemTrayIcon::Context:
            return TrayClick::RightUp;
        default:
            return std::nullopt;
    }
}

}  // namespace

QString DisplayText(std::string_view text) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QtDesktop::QtDesktop(WindowLookup windows, ViewContext& context)
    : windows_(std::move(windows)), context_(context), exitLoop_([](int code) { QCoreApplication::exit(code); }) {}

QtDesktop::~QtDesktop() = default;

void QtDesktop::AttachViews(ViewSet* views) {
    views_ = views;
    pendingKeys_.Release([this](WindowKind window, PendingColourKeys::Key key) { SetColourKeyTransparency(window, key); });
}

void QtDesktop::ApplyTray(const TrayIconData& icon) {
    trayData_ = icon;
    tray_->setIcon(icon.image == TrayImage::Application ? context_.ApplicationIcon() : QIcon());
    tray_->setToolTip(DisplayText(icon.tipText));
}

bool QtDesktop::AddTrayIcon(const TrayIconData& icon) {
    if (tray_) {
        return ChangeTrayIcon(icon) && QSystemTrayIcon::isSystemTrayAvailable();
    }
    // The icon is made even without a tray host, so that it docks if a host appears later; the core is
    // told whether it is in a tray now.
    tray_ = std::make_unique<QSystemTrayIcon>();
    tray_->setObjectName(QStringLiteral("tray_%1").arg(icon.identifier));
    connect(tray_.get(), &QSystemTrayIcon::activated, this, &QtDesktop::OnTrayActivated);
    ApplyTray(icon);
    tray_->show();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtDesktop::ChangeTrayIcon(const TrayIconData& icon) {
    if (!tray_ || !trayData_ || trayData_->identifier != icon.identifier) {
        return false;
    }
    ApplyTray(icon);
    return true;
}

bool QtDesktop::RemoveTrayIcon(int identifier) {
    if (!tray_ || !trayData_ || trayData_->identifier != identifier) {
        return false;
    }
    tray_->hide();
    tray_.reset();
    trayData_.reset();
    return true;
}

void QtDesktop::OnTrayActivated(QSystemTrayIcon::ActivationReason reason) {
    std::optional<TrayClick> click = ClickOf(reason);
    if (!click || !trayData_) {
        return;
    }
    // Trays that speak the StatusNotifierItem protocol report no double-click, only activations: a
    // second activation within the double-click interval is the double-click. A tray that reports its
    // own double-click (after one activation) is not counted twice.
    if (*click == TrayClick::LeftUp) {
        if (lastActivation_.isValid() && lastActivation_.elapsed() <= QApplication::doubleClickInterval()) {
            click = TrayClick::DoubleClick;
            lastActivation_.invalidate();
        } else {
            lastActivation_.start();
        }
    } else if (*click == TrayClick::DoubleClick) {
        lastActivation_.invalidate();
    }
    // Handled after the icon's own mouse handling has returned: the handler may pop up the menu and
    // end the run, which removes (deletes) this very icon.
    const WindowKind owner = trayData_->owner;
    QTimer::singleShot(0, this,
                       [this, owner, click = *click] { context_.Run([&] { windows_(owner).RaiseTrayEvent(click); }); });
}

ScreenPoint QtDesktop::CursorPosition() const {
    const QPoint at = QCursor::pos();
    return {at.x(), at.y()};
}

std::optional<std::size_t> QtDesktop::PopUpMenu(WindowKind owner, std::string_view menuName, ScreenPoint topLeft) {
    if (openMenu_) {
        return std::nullopt;  // one popup at a time
    }
    const PopupMenu& model = windows_(owner).Menu(menuName);
    QMenu menu;
    menu.setObjectName(ToQString(std::string(menuName)));
    for (std::size_t position = 1; position <= model.ItemCount(); ++position) {
        const MenuItem& item = model.Item(position);
        if (item.Separator()) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(ToQString(item.Caption()));
        action->setObjectName(QStringLiteral("item_%1").arg(position));
        action->setData(QVariant::fromValue<qulonglong>(position));
        if (item.Checkable()) {
            action->setCheckable(true);
            action->setChecked(item.Checked());
        }
    }
    openMenu_ = &menu;
    QAction* chosen = menu.exec(QPoint(topLeft.x, topLeft.y));
    openMenu_ = nullptr;
    if (chosen == nullptr) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(chosen->data().toULongLong());
}

QWidget* QtDesktop::MessageBoxParent() const {
    if (views_ == nullptr) {
        return nullptr;
    }
    // The framed window the user is working in (the alert settings, when they refuse a field), so that the
    // keyboard comes back to it once the box is closed.
    for (WindowKind kind : kAllWindowKinds) {
        QWidget& view = views_->View(kind);
        if (windows_(kind).Flags().border != BorderStyle::None && view.isVisible() && view.isActiveWindow()) {
            return &view;
        }
    }
    QWidget& main = views_->View(WindowKind::Main);
    return main.isVisible() ? &main : nullptr;
}

// Modal for the whole program, and above the always-on-top monitor windows, which would otherwise cover
// its buttons where they sit at the screen centre.
void QtDesktop::PrepareMessageBox(QMessageBox& box) const {
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.setWindowIcon(context_.ApplicationIcon());
}

MessageAnswer QtDesktop::AskYesNo(std::string_view title, std::string_view text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Question ? QMessageBox::Question : QMessageBox::Critical, DisplayText(title),
                    DisplayText(text), QMessageBox::Yes | QMessageBox::No, MessageBoxParent());
    box.setObjectName(QStringLiteral("question"));
    box.setDefaultButton(QMessageBox::Yes);
    PrepareMessageBox(box);
    return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtDesktop::ShowFatalError(std::string_view text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Quorell"), DisplayText(text), QMessageBox::Ok,
                    MessageBoxParent());
    box.setObjectName(QStringLiteral("fatal_error"));
    PrepareMessageBox(box);
    box.exec();
}

void QtDesktop::ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Question ? QMessageBox::Information : QMessageBox::Critical,
                    DisplayText(title), DisplayText(text), QMessageBox::Ok, MessageBoxParent());
    box.setObjectName(QStringLiteral("message"));
    PrepareMessageBox(box);
    box.exec();
}

bool QtDesktop::OpenWebAddress(std::string_view address) {
    const QUrl url(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())), QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != QStringLiteral("http") && url.scheme() != QStringLiteral("https"))) {
        return false;
    }
    return QDesktopServices::openUrl(url);
}

void QtDesktop::SetColourKeyTransparency(WindowKind window, std::optional<std::uint32_t> colourKey) {
    MonitorWindowView* view = views_ != nullptr ? views_->Monitor(window) : nullptr;
    if (view == nullptr) {
        pendingKeys_.Hold(window, colourKey);
        return;
    }
    pendingKeys_.Drop(window);
    view->SetSeeThrough(colourKey ? std::optional<QRgb>(*colourKey) : std::nullopt);
}

std::vector<ScreenRect> QtDesktop::Screens() const {
    std::vector<ScreenRect> screens;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr) {
        const QRect r = primary->geometry();
        screens.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary) {
            const QRect r = screen->geometry();
            screens.push_back({r.x(), r.y(), r.width(), r.height()});
        }
    }
    return screens;
}

bool QtDesktop::TrayHostPresent() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtDesktop::ShowNotice(std::string_view title, std::string_view text) {
    if (tray_) {
        // Through the desktop's notification service where there is one, else as the tray's balloon.
        tray_->showMessage(DisplayText(title), DisplayText(text), QSystemTrayIcon::Warning, kNoticeMilliseconds);
    }
}

void QtDesktop::MinimizeWindow(WindowKind window) {
    if (views_ != nullptr) {
        views_->View(window).showMinimized();
    }
}

void QtDesktop::Quit(int exitCode) {
    exitCode_ = exitCode;
    if (tray_) {
        tray_->hide();
    }
    exitLoop_(exitCode);
}

}  // namespace quorell::gui
