#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/application_ports.h"
#include "app/event_dispatch.h"
#include "app/main_window.h"
#include "app/monitor_placement.h"
#include "app/settings_file.h"
#include "app/window_set.h"
#include "app/desktop_port.h"

namespace quorell {

class AlertSettingsWindow;
class AllowanceWatch;
class AutostartItem;
class FullScreenStepAside;
class InterfaceMenu;
class MeasuredWork;
class StayingHighWatch;

inline constexpr const char* kExitQuestionTitle = "退出警告";
inline constexpr const char* kExitQuestionText =
    "警告: 退出以后,您将无法方便的了解到信息资源信息!\r\n请问您确定要退出 Velkor-Quorell 吗?";
inline constexpr const char* kWindowDesignsFailed = "载入窗口模板数据段出错!";

// One run of the program without any toolkit: the six windows, every event bound to its handler, the
// start-up in its order and the two ways to end (the confirmed exit, exit code 0; a fatal runtime error,
// exit code -1). A view forwards user input to the windows' events; the handlers change only the model.
class Application final : public EventDispatch {
public:
    explicit Application(ApplicationPorts ports);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Shows what `status` reports about recording; call before Start. `status` must outlive this object.
    void WatchRecording(RecordingStatus& status) { recording_ = &status; }

    // Builds the windows, binds their events, creates the main window (whose handler creates the other
    // six, installs the tray icon and loads the settings) and shows it. Returns false when the run
    // ended during start-up.
    bool Start();

    // The tray menu's exit item: asks, and on Yes removes the tray icon and ends with exit code 0.
    void ExitWithConfirmation();

    // The settings window stored the section "提醒设置": the allowance and its settlement day take effect
    // at once (the tip's line and the notices follow the new ones), the staying-high rules from the next
    // tick (a changed rule starts afresh).
    void ReloadAlertSettings();

    // The system asks the program to end (the session ends, a termination signal): removes the tray icon
    // and ends with exit code 0 at once, asking nothing.
    void EndOnRequest();

    bool Dispatch(const std::function<void()>& event) override;
    // How many events have run so far, each one event of the INI files.
    std::size_t EventCount() const { return eventCount_; }
    void BeginBatch() override;
    void EndBatch() override;

    bool Running() const { return started_ && !exitCode_; }
    // Set once the run has ended; the desktop was asked to quit with the same code.
    std::optional<int> ExitCode() const { return exitCode_; }
    // The process's exit code after a run that ended during start-up (the fatal code when none was set).
    int FinalExitCode() const;

    // Valid after Start.
    Window& GetWindow(WindowKind kind) const { return windows_->Get(kind); }
    const WindowSet& Windows() const { return *windows_; }
    MainWindowLogic& MainLogic() { return *mainLogic_; }
    MonitorPlacement& Placement() { return *placement_; }
    const SettingsFile& Settings() const { return settings_; }
    const MeasuredWork& Work() const { return *work_; }

private:
    void BindEvents();
    // A handler bound to a model event, run through Dispatch: when the model event was raised outside any
    // event (a test, a model call of its own), it is the event; inside one, it is part of it.
    std::function<void()> Guarded(std::function<void()> handler);
    std::function<bool()> GuardedClose(std::function<bool()> handler);
    void EndWithFatalError(const std::string& message, std::optional<int> code);
    void End(int exitCode);

    ApplicationPorts ports_;
    SettingsFile settings_;
    std::unique_ptr<WindowSet> windows_;
    std::unique_ptr<MonitorPlacement> placement_;
    std::unique_ptr<MainWindowLogic> mainLogic_;
    std::unique_ptr<MeasuredWork> work_;
    std::unique_ptr<InterfaceMenu> interfaceMenu_;
    std::unique_ptr<AutostartItem> autostartItem_;
    std::unique_ptr<AlertSettingsWindow> alertsWindow_;
    RecordingStatus* recording_ = nullptr;
    std::unique_ptr<FullScreenStepAside> stepAside_;
    std::unique_ptr<AllowanceWatch> allowance_;
    std::unique_ptr<StayingHighWatch> stayingHigh_;
    bool started_ = false;
    int dispatchDepth_ = 0;
    std::size_t eventCount_ = 0;
    std::optional<int> exitCode_;
};

}  // namespace quorell
