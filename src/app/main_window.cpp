#include "app/main_window.h"

#include <variant>

#include "app/layouts/layouts.h"
#include "app/tray_tip.h"
#include "ui_model/menu.h"

namespace quorell {

CaptionPair CaptionsOf(std::size_t item) {
    switch (item) {
        case kMainItem:
            return {"显示软件界面", "隐藏软件界面"};
        case kCpuItem:
            return {"显示 Cpu 监控", "隐藏 Cpu 监控"};
        case kMemoryItem:
            return {"显示 内存 监控", "隐藏 内存 监控"};
        case kReceiveItem:
            return {"显示 接收 监控", "隐藏 接收 监控"};
        case kSendItem:
            return {"显示 发送 监控", "隐藏 发送 监控"};
        case kTrendItem:
            return {"显示趋势统计窗口", "隐藏趋势统计窗口"};
        default:
            return {"", ""};
    }
}

void MainWindowLogic::MainWindowCreated() {
    if (selectMonitoredRow_) {
        selectMonitoredRow_();
    }
    for (WindowKind kind : {WindowKind::CpuMonitor, WindowKind::MemoryMonitor, WindowKind::ReceiveMonitor,
                            WindowKind::SendMonitor, WindowKind::Trend, WindowKind::Alerts}) {
        windows_.Get(kind).Create();
    }
    InstallTrayIcon();
    LoadBandwidth(settings_, windows_.Main());
    LoadTransparency(settings_, windows_.Main());
    placement_.OnTransparencyClicked();
}

void MainWindowLogic::InstallTrayIcon() {
    trayWanted_ = true;
    PutTrayIcon();
    ShowRecordingNotice();
}

void MainWindowLogic::PutTrayIcon() {
    TrayIconData icon;
    icon.identifier = kTrayIconId;
    icon.owner = WindowKind::Main;
    icon.image = windows_.Main().Flags().icon == WindowIcon::Application ? TrayImage::Application : TrayImage::None;
    icon.tipText = TrayTipText(StatusLine(), allowanceLine_);
    if (trayInstalled_) {
        desktop_.ChangeTrayIcon(icon);
    } else {
        // The desktop keeps an icon it could not dock and docks it when a tray host appears.
        trayInstalled_ = desktop_.AddTrayIcon(icon);
    }
}

void MainWindowLogic::RemoveTrayIcon() {
    if (trayWanted_) {
        desktop_.RemoveTrayIcon(kTrayIconId);
        trayWanted_ = false;
        trayInstalled_ = false;
    }
}

void MainWindowLogic::FollowTrayHost() {
    if (!trayWanted_ || desktop_.TrayHostPresent() == trayInstalled_) {
        return;
    }
    if (trayInstalled_) {
        trayInstalled_ = false;
        // Nothing else could show the main window again.
        windows_.Main().SetVisible(true);
    } else {
        PutTrayIcon();
    }
    ShowStatusInTitle();
}

void MainWindowLogic::ToggleWindow(WindowKind window) {
    Window& target = windows_.Get(window);
    target.SetVisible(!target.Visible());
}

void MainWindowLogic::FollowVisibilityInCaptions() {
    for (const auto& [item, kind] : kWindowItems) {
        captionFollowers_.push_back(
            windows_.Get(kind).Subscribe([&menu = windows_.Main().Menu(kTrayMenuName), item](const WindowChange& change) {
                if (const auto* visibility = std::get_if<VisibilityChange>(&change)) {
                    const CaptionPair captions = CaptionsOf(item);
                    menu.Item(item).SetCaption(visibility->visible ? captions.hide : captions.show);
                }
            }));
    }
}

void MainWindowLogic::OnTrayEvent(TrayClick click) {
    if (click == TrayClick::DoubleClick) {
        ToggleWindow(WindowKind::Main);
    } else if (click == TrayClick::RightUp) {
        PopUpTrayMenu();
    }
}

void MainWindowLogic::PopUpTrayMenu() {
    PopupMenu& menu = windows_.Main().Menu(kTrayMenuName);
    menu.RaiseAboutToShow();
    const ScreenPoint cursor = desktop_.CursorPosition();
    const auto chosen = desktop_.PopUpMenu(WindowKind::Main, kTrayMenuName, {cursor.x + 3, cursor.y + 3});
    if (chosen && *chosen >= 1 && *chosen <= menu.ItemCount()) {
        menu.Item(*chosen).Select();
    }
}

bool MainWindowLogic::OnMainWindowClose() {
    // The tray host may have come or gone since the last tick: decide on how things are now.
    FollowTrayHost();
    if (trayInstalled_) {
        windows_.Main().SetVisible(false);
    } else {
        // Hidden, nothing could show it again but a second start.
        desktop_.MinimizeWindow(WindowKind::Main);
    }
    desktop_.OpenWebAddress(kMakerWebAddress);
    return false;
}

void MainWindowLogic::OnMainWindowRightClick() {
    FollowTrayHost();
    if (!trayInstalled_) {
        PopUpTrayMenu();
    }
}

void MainWindowLogic::OnRecordingChanged() {
    RefreshTrayTip();
    ShowRecordingNotice();
}

void MainWindowLogic::ShowAlert(const std::string& title, const std::string& text, const std::string& line) {
    alertLine_ = line;
    if (trayInstalled_) {
        desktop_.ShowNotice(title, text);
    }
    ShowStatusInTitle();
}

void MainWindowLogic::WithdrawAlert(const std::string& line) {
    if (alertLine_ == line) {
        alertLine_.clear();
        ShowStatusInTitle();
    }
}

void MainWindowLogic::RefreshTrayTip() {
    if (trayWanted_) {
        PutTrayIcon();
    }
}

void MainWindowLogic::ShowAllowanceLine(const std::string& line) {
    // A reload gives the same line again: the tray is changed only when the text differs.
    if (line != allowanceLine_) {
        allowanceLine_ = line;
        RefreshTrayTip();
    }
}

void MainWindowLogic::ShowRecordingNotice() {
    if (recording_ == nullptr) {
        return;
    }
    if (const auto notice = recording_->TakeUnshown(); notice && trayInstalled_) {
        desktop_.ShowNotice(notice->title, notice->text);
    }
    ShowStatusInTitle();
}

// Without a tray the main window's title carries the line: seen on the window and its task-bar button,
// and quieter than a message box that would stop the user.
void MainWindowLogic::ShowStatusInTitle() {
    Window& main = windows_.Main();
    if (!plainTitle_) {
        plainTitle_ = main.Title();
    }
    const std::string line = StatusLine().empty() ? alertLine_ : StatusLine();
    main.SetTitle(line.empty() || trayInstalled_ ? *plainTitle_ : *plainTitle_ + " - " + line);
}

std::string MainWindowLogic::StatusLine() const {
    if (recording_ == nullptr || !recording_->Current()) {
        return {};
    }
    return recording_->Current()->line;
}

}  // namespace quorell
