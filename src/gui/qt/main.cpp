// Quorell: a small desktop monitor of CPU usage, memory load and network traffic.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <memory>

#include "app/application.h"
#include "app/program_store.h"
#include "gui/qt/desktop_look.h"
#include "gui/qt/qt_desktop.h"
#include "gui/qt/single_instance.h"
#include "gui/qt/view_context.h"
#include "gui/qt/view_set.h"
#include "gui/qt/window_view.h"
#include "platform/platform_ports.h"

using namespace quorell;

int main(int argc, char** argv) {
    gui::PreferX11Platform();
    gui::PreferSocketImageTransfer();
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorell"));
    // Closing a window never ends the program: only the confirmed exit from the tray menu does.
    QApplication::setQuitOnLastWindowClosed(false);

    gui::SingleInstance instance(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    if (instance.ClaimOrNotify() == gui::SingleInstance::Claim::AnotherRuns) {
        return 0;
    }
    gui::ApplyDesktopLook(qtApplication);

    PlatformPorts platform = MakePlatformPorts();
    const std::unique_ptr<IniStore> iniStore = MakeProgramStore(std::move(platform.files));
    QDir::setCurrent(QString::fromStdString(platform.runDirectory->RunDirectory().string()));

    gui::ViewContext context;
    std::unique_ptr<Application> application;
    const auto windows = [&application](WindowKind kind) -> Window& { return application->GetWindow(kind); };
    gui::QtDesktop desktop(windows, context);

    application = std::make_unique<Application>(
        ApplicationPorts{*platform.runDirectory, desktop, *platform.clock, *platform.environment, *platform.cpuCounters,
                         *platform.memoryStatus, *platform.interfaceTable, *platform.platformVersion, *iniStore});
    context.SetDispatch(application.get());
    if (!application->Start()) {
        iniStore->Flush();
        return application->FinalExitCode();
    }

    gui::ViewSet views(windows, context);
    desktop.AttachViews(&views);
    QObject::connect(&instance, &gui::SingleInstance::ShowRequested, &desktop, [&] {
        context.Run([&] { application->GetWindow(WindowKind::Main).SetVisible(true); });
        gui::WindowView& main = views.View(WindowKind::Main);
        main.raise();
        main.activateWindow();
    });

    // The session ending (or Ctrl+C) ends the run at once, without a question and without closing the
    // windows one by one (closing only hides them); the files are saved below.
    platform.termination->Watch([&] {
        QMetaObject::invokeMethod(
            &desktop, [&] { context.Run([&] { application->EndOnRequest(); }); }, Qt::QueuedConnection);
    });

    const int loopResult = desktop.ExitCode() ? *desktop.ExitCode() : QApplication::exec();
    desktop.AttachViews(nullptr);
    context.SetDispatch(nullptr);
    iniStore->Flush();
    return desktop.ExitCode().value_or(loopResult);
}
