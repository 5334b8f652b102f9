#include "app/application.h"

#include <exception>
#include <utility>

#include "app/alert_settings_window.h"
#include "app/allowance_watch.h"
#include "app/autostart_item.h"
#include "app/full_screen_step_aside.h"
#include "app/interface_menu.h"
#include "app/measured_work.h"
#include "app/staying_high_watch.h"
#include "runtime/fatal_error.h"
#include "runtime/ini_store.h"
#include "ui_model/control_names.h"
#include "ui_model/controls.h"
#include "ui_model/menu.h"

namespace quorell {

Application::Application(ApplicationPorts ports) : ports_(ports), settings_(ports.iniStore, ports.runDirectory) {}

Application::~Application() {
    if (recording_ != nullptr) {
        recording_->SetListener({});
    }
}

bool Application::Start() {
    if (started_) {
        return Running();
    }
    started_ = true;
    try {
        windows_ = std::make_unique<WindowSet>(ports_.desktop.Screens());
    } catch (const std::exception&) {
        ports_.desktop.ShowFatalError(kWindowDesignsFailed);
        End(kFatalErrorExitCode);
        return false;
    }
    placement_ = std::make_unique<MonitorPlacement>(*windows_, settings_, ports_.desktop);
    Guarded([this] {
        work_ = std::make_unique<MeasuredWork>(*windows_, ports_);
        interfaceMenu_ = std::make_unique<InterfaceMenu>(*windows_, settings_, ports_.desktop, work_->Network());
        stepAside_ = std::make_unique<FullScreenStepAside>(*windows_, settings_, ports_.fullScreen);
        mainLogic_ = std::make_unique<MainWindowLogic>(*windows_, settings_, ports_.desktop, *placement_, [this] {
            work_->SelectMonitoredRow();
            interfaceMenu_->LoadChoice();
        });
        allowance_ = std::make_unique<AllowanceWatch>(
            work_->History().receive, work_->History().send,
            AllowanceWatch::Outlets{
                [&logic = *mainLogic_](const std::string& line) { logic.ShowAllowanceLine(line); },
                [&logic = *mainLogic_](const std::string& title, const std::string& text, const std::string& line) {
                    logic.ShowAlert(title, text, line);
                }});
        autostartItem_ = std::make_unique<AutostartItem>(windows_->Main().Menu(kTrayMenuName).Item(kAutostartItem),
                                                         ports_.autostart, ports_.desktop);
        // Once new alert settings are stored, the alerts read them again.
        alertsWindow_ = std::make_unique<AlertSettingsWindow>(windows_->Get(WindowKind::Alerts), settings_,
                                                              ports_.desktop, [this] { ReloadAlertSettings(); });
        stayingHigh_ = std::make_unique<StayingHighWatch>(
            [this](const StayingHighNotice& notice) { mainLogic_->ShowAlert(notice.title, notice.text, notice.line); },
            [this](const StayingHighNotice& notice) { mainLogic_->WithdrawAlert(notice.line); });
        mainLogic_->WatchRecording(recording_);
        if (recording_ != nullptr) {
            // A stop is reported between events (a due save) or inside one (a setting saved at once);
            // once the run has ended, nobody is told any more.
            recording_->SetListener([this] {
                if (Running()) {
                    mainLogic_->OnRecordingChanged();
                }
            });
        }
        BindEvents();
        windows_->Main().Create();
        stepAside_->Load();
        ReloadAlertSettings();
    })();
    if (!Running()) {
        return false;
    }
    windows_->Main().SetVisible(true);
    return true;
}

// The complete table of event bindings: every event not bound here does its default.
void Application::BindEvents() {
    Window& main = windows_->Main();
    MainWindowLogic& logic = *mainLogic_;
    MonitorPlacement& placement = *placement_;
    MeasuredWork& work = *work_;
    FullScreenStepAside& stepAside = *stepAside_;
    StayingHighWatch& stayingHigh = *stayingHigh_;

    main.BindCreated(Guarded([&logic] { logic.MainWindowCreated(); }));
    main.BindMayClose(GuardedClose([&logic] { return logic.OnMainWindowClose(); }));
    main.BindTrayEvent([this, &logic](TrayClick click) { Guarded([&logic, click] { logic.OnTrayEvent(click); })(); });
    main.BindRightClicked(Guarded([&logic] { logic.OnMainWindowRightClick(); }));

    const std::pair<std::string_view, WindowKind> buttons[] = {{names::kOpenCpuButton, WindowKind::CpuMonitor},
                                                               {names::kOpenMemoryButton, WindowKind::MemoryMonitor},
                                                               {names::kOpenReceiveButton, WindowKind::ReceiveMonitor},
                                                               {names::kOpenSendButton, WindowKind::SendMonitor},
                                                               {names::kOpenTrendButton, WindowKind::Trend}};
    for (const auto& [button, target] : buttons) {
        main.Button(button).BindClicked(Guarded([&logic, kind = target] { logic.ToggleWindow(kind); }));
    }
    main.EditBox(names::kBandwidthBox).BindContentChanged(Guarded([this] {
        StoreBandwidth(settings_, windows_->Main());
    }));
    main.CheckBox(names::kTransparencyBox).BindClicked(Guarded([&placement] { placement.OnTransparencyClicked(); }));

    PopupMenu& menu = main.Menu(kTrayMenuName);
    for (const auto& [item, target] : kWindowItems) {
        menu.Item(item).BindSelected(Guarded([&logic, kind = target] { logic.ToggleWindow(kind); }));
    }
    menu.Item(kFullScreenItem).BindSelected(Guarded([&stepAside] { stepAside.OnMenuItem(); }));
    menu.Item(kExitItem).BindSelected(Guarded([this] { ExitWithConfirmation(); }));
    AutostartItem& autostart = *autostartItem_;
    menu.BindAboutToShow([&autostart] { autostart.ShowTruth(); });
    menu.Item(kAutostartItem).BindSelected(Guarded([&autostart] { autostart.Toggle(); }));

    // The alert settings window: opened from the tray menu; "确定" stores, "取消", Esc and the close box hide.
    AlertSettingsWindow& alertsLogic = *alertsWindow_;
    Window& alerts = windows_->Get(WindowKind::Alerts);
    menu.Item(kAlertsItem).BindSelected(Guarded([&alertsLogic] { alertsLogic.Open(); }));
    alerts.Button(names::kAlertsConfirmButton).BindClicked(Guarded([&alertsLogic] { alertsLogic.Confirm(); }));
    alerts.Button(names::kAlertsCancelButton).BindClicked(Guarded([&alertsLogic] { alertsLogic.Dismiss(); }));
    alerts.BindMayClose(GuardedClose([&alertsLogic] { return alertsLogic.Dismiss(); }));

    // The four monitor windows: placement on creation and on every move, closing only hides.
    for (WindowKind monitor : kMonitorKinds) {
        Window& window = windows_->Get(monitor);
        window.BindMayClose(GuardedClose([&placement, monitor] { return placement.HideMonitor(monitor); }));
        window.BindPositionChanged(Guarded([&placement, monitor] { placement.StorePosition(monitor); }));
        window.PictureBox(names::kCloseMark).BindDoubleClicked([this, &placement, monitor](int, int, int) {
            Guarded([&placement, monitor] { placement.HideMonitor(monitor); })();
        });
    }
    windows_->Get(WindowKind::CpuMonitor).BindCreated(Guarded([&work, &placement] {
        work.OnCpuCreated();
        placement.RestorePosition(WindowKind::CpuMonitor);
    }));
    windows_->Get(WindowKind::MemoryMonitor).BindCreated(Guarded([&placement] {
        placement.RestorePosition(WindowKind::MemoryMonitor);
    }));
    windows_->Get(WindowKind::ReceiveMonitor).BindCreated(Guarded([&work, &placement] {
        work.OnReceiveCreated();
        placement.RestorePosition(WindowKind::ReceiveMonitor);
    }));
    windows_->Get(WindowKind::SendMonitor).BindCreated(Guarded([&work, &placement] {
        work.OnSendCreated();
        placement.RestorePosition(WindowKind::SendMonitor);
    }));
    // The receive and send windows' popup menu chooses the watched interface for both.
    for (WindowKind network : {WindowKind::ReceiveMonitor, WindowKind::SendMonitor}) {
        windows_->Get(network).BindRightClicked(Guarded([this, network] { interfaceMenu_->OnRightClick(network); }));
    }
    // The CPU monitor's timer is the program's one-second tick; it also follows the tray host and looks for
    // full-screen programs. Each monitor's tick then tells the staying-high alerts what it measured.
    windows_->Get(WindowKind::CpuMonitor)
        .Timer(names::kCpuMonitor.timer)
        .BindTick(Guarded([&work, &logic, &stepAside, &stayingHigh] {
            work.OnCpuTick();
            stayingHigh.OnTick(AlertMetric::Cpu, work.LastTick(AlertMetric::Cpu));
            logic.FollowTrayHost();
            stepAside.OnTick();
        }));
    windows_->Get(WindowKind::MemoryMonitor).Timer(names::kMemoryMonitor.timer).BindTick(Guarded([&work, &stayingHigh] {
        work.OnMemoryTick();
        stayingHigh.OnTick(AlertMetric::Memory, work.LastTick(AlertMetric::Memory));
    }));
    // The network ticks also count the allowance period's traffic, in the same event as the history.
    AllowanceWatch& allowance = *allowance_;
    windows_->Get(WindowKind::ReceiveMonitor)
        .Timer(names::kNetworkMonitor.timer)
        .BindTick(Guarded([&work, &allowance, &stayingHigh] {
            work.OnReceiveTick();
            allowance.OnNetworkTick(Direction::Receive, work.Receive().LastSample().kValue,
                                    work.Receive().LastTickTime());
            stayingHigh.OnTick(AlertMetric::Receive, work.LastTick(AlertMetric::Receive));
        }));
    windows_->Get(WindowKind::SendMonitor)
        .Timer(names::kNetworkMonitor.timer)
        .BindTick(Guarded([&work, &allowance, &stayingHigh] {
            work.OnSendTick();
            allowance.OnNetworkTick(Direction::Send, work.Send().LastSample().kValue, work.Send().LastTickTime());
            stayingHigh.OnTick(AlertMetric::Send, work.LastTick(AlertMetric::Send));
        }));

    // The trend statistics window. Closing it hides it like every other window, so its button and
    // menu item keep working for the whole run.
    Window& trend = windows_->Get(WindowKind::Trend);
    trend.BindCreated(Guarded([&work] { work.OnTrendCreated(); }));
    trend.BindMayClose(GuardedClose([&trend] {
        trend.SetVisible(false);
        return false;
    }));
    trend.Timer(names::kTrendTrafficTimer).BindTick(Guarded([&work] { work.OnTrendTrafficTick(); }));
    trend.Timer(names::kTrendBaseTimer).BindTick(Guarded([&work] { work.OnTrendBaseTick(); }));
}

void Application::ReloadAlertSettings() {
    if (!allowance_ || !stayingHigh_) {
        return;  // not started
    }
    // Its own event when the settings window's store was not one, so the allowance's history writes are whole.
    Guarded([this] {
        const AlertSettings alerts = LoadAlertSettings(settings_);
        allowance_->Reload(alerts);
        stayingHigh_->Reload(alerts);
    })();
}

void Application::ExitWithConfirmation() {
    const MessageAnswer answer = ports_.desktop.AskYesNo(kExitQuestionTitle, kExitQuestionText, MessageIcon::Question);
    if (answer != MessageAnswer::Yes) {
        return;
    }
    mainLogic_->RemoveTrayIcon();
    End(0);
}

int Application::FinalExitCode() const {
    return exitCode_.value_or(kFatalErrorExitCode);
}

void Application::EndOnRequest() {
    if (exitCode_ || !started_) {
        return;
    }
    if (mainLogic_) {
        mainLogic_->RemoveTrayIcon();
    }
    End(0);
}

bool Application::Dispatch(const std::function<void()>& event) {
    if (exitCode_) {
        return false;
    }
    // An event raised inside another (a move, a window's creation, the handler of the click a view
    // forwarded) is part of it: it runs inline, and an error in it ends the outer event.
    if (dispatchDepth_ > 0) {
        event();
        return true;
    }
    ++eventCount_;
    bool ran = false;
    {
        // One event: its many reads of the same history file need to look at the file on disk only once.
        const IniEventScope iniEvent(ports_.iniStore);
        struct Inside {
            int& depth;
            explicit Inside(int& d) : depth(++d) {}
            ~Inside() { --depth; }
        } inside(dispatchDepth_);
        try {
            event();
            ran = true;
        } catch (const FatalError& error) {
            EndWithFatalError(error.Message(), error.Code());
        } catch (const std::exception& error) {
            EndWithFatalError(error.what(), std::nullopt);
        } catch (...) {
            EndWithFatalError("unknown error", std::nullopt);
        }
    }
    // Between events every file holds whole events: a history file whose changes are old enough is
    // saved now. The monitors' timers tick every second, shown or not, so no change waits much longer.
    ports_.iniStore.SaveDue();
    return ran;
}

void Application::BeginBatch() {
    ports_.iniStore.BeginEvent();
}

void Application::EndBatch() {
    ports_.iniStore.EndEvent();
}

std::function<void()> Application::Guarded(std::function<void()> handler) {
    return [this, handler = std::move(handler)] { Dispatch(handler); };
}

std::function<bool()> Application::GuardedClose(std::function<bool()> handler) {
    return [this, handler = std::move(handler)] {
        bool close = false;
        Guarded([&close, &handler] { close = handler(); })();
        return close;
    };
}

void Application::EndWithFatalError(const std::string& message, std::optional<int> code) {
    if (exitCode_) {
        return;
    }
    ports_.desktop.ShowFatalError(FatalErrorText(message, code));
    // A tray icon left behind by a dead program lingers until the user hovers over it.
    if (mainLogic_) {
        mainLogic_->RemoveTrayIcon();
    }
    End(kFatalErrorExitCode);
}

void Application::End(int exitCode) {
    exitCode_ = exitCode;
    ports_.desktop.Quit(exitCode);
}

}  // namespace quorell
