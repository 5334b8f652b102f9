// Quorell: a small desktop monitor of CPU usage, memory load and network traffic.
#include <QApplication>
#include <QDir>
#include <QSessionManager>
#include <QStandardPaths>
#include <QTranslator>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/application.h"
#include "app/program_store.h"
#include "gui/qt/desktop_look.h"
#include "gui/qt/qt_desktop.h"
#include "gui/qt/show_requests.h"
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
    QTranslator qtTexts;
    gui::InstallQtChineseTexts(qtTexts);

    PlatformPorts platform = MakePlatformPorts();
    const std::filesystem::path runDirectory = platform.runDirectory->RunDirectory();
    const QString runFolder = QString::fromStdU16String(runDirectory.u16string());
    QString socketFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (socketFolder.isEmpty()) {
        socketFolder = QDir::tempPath();
    }
    gui::ShowRequests showRequests(socketFolder, runFolder);
    // One copy records into a run directory: the one that holds its lock. A later start shows that
    // copy's main window and ends.
    switch (platform.runLock->TryLock(runDirectory)) {
        case RunLockPort::Outcome::kHeld:
            showRequests.Listen();
            break;
        case RunLockPort::Outcome::kHeldByAnother:
            if (showRequests.AskRunningCopy()) {
                std::fputs("quorell: already running; showed its window\n", stderr);
                return 0;
            }
            std::fprintf(stderr, "quorell: another copy records in %s but does not answer\n", qPrintable(runFolder));
            return 1;
        case RunLockPort::Outcome::kUnavailable:
            // Nothing can be locked, so nothing can be saved there either; the monitors still work.
            std::fprintf(stderr, "quorell: cannot lock the run directory (%s); history and settings may not be saved\n",
                         platform.runLock->Reason().c_str());
            break;
    }
    gui::ApplyDesktopLook(qtApplication);

    const std::unique_ptr<IniStore> iniStore =
        MakeProgramStore(std::move(platform.files), std::move(platform.gbkCodec));
    QDir::setCurrent(runFolder);

    gui::ViewContext context;
    std::unique_ptr<Application> application;
    const auto windows = [&application](WindowKind kind) -> Window& { return application->GetWindow(kind); };
    gui::QtDesktop desktop(windows, context);

    application = std::make_unique<Application>(
        ApplicationPorts{*platform.runDirectory, desktop, *platform.clock, *platform.cpuCounters,
                         *platform.memoryStatus, *platform.interfaceTable, *platform.platformVersion, *iniStore});
    context.SetDispatch(application.get());
    if (!application->Start()) {
        iniStore->Flush();
        return application->FinalExitCode();
    }

    gui::ViewSet views(windows, context);
    desktop.AttachViews(&views);
    QObject::connect(&showRequests, &gui::ShowRequests::ShowRequested, &desktop, [&] {
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

    // Logging out: the session manager asks every program to commit its data; this one has nothing to
    // ask the user, so it saves and ends right there, as for a termination signal.
    QObject::connect(&qtApplication, &QGuiApplication::commitDataRequest, &desktop,
                     [&](QSessionManager&) { context.Run([&] { application->EndOnRequest(); }); });

    const int loopResult = desktop.ExitCode() ? *desktop.ExitCode() : QApplication::exec();
    desktop.AttachViews(nullptr);
    context.SetDispatch(nullptr);
    iniStore->Flush();
    return desktop.ExitCode().value_or(loopResult);
}
