// Quorell: a small desktop monitor of CPU usage, memory load and network traffic.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "app/application.h"
#include "app/program_store.h"
#include "gui/win32/program_window.h"
#include "gui/win32/show_requests_win32.h"
#include "gui/win32/view_context.h"
#include "gui/win32/view_set.h"
#include "gui/win32/win32_desktop.h"
#include "platform/platform_ports.h"

using namespace quorell;

namespace {

// The message loop: each message is offered to the views first; before the loop waits, whatever batch of
// timer ticks is still open ends. Returns the code that WM_QUIT carries.
// A WM_CLOSE taken from the queue was posted by another program (taskkill, a task manager's "end task"),
// which posts it to every top-level window of the program in an order of its own: it ends the run at
// once, saved, so that no window handles it as the user's close first. The user's own close (the close
// box, Alt+F4, the system menu) sends WM_CLOSE through WM_SYSCOMMAND and never passes through here.
int RunMessageLoop(gui::ViewSet& views, gui::ViewContext& context, const std::function<void()>& endOnRequest) {
    MSG message{};
    for (;;) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return static_cast<int>(message.wParam);
            }
            if (message.message == WM_CLOSE) {
                endOnRequest();
                continue;
            }
            if (!views.PreTranslate(message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        context.Idle();
        ::WaitMessage();
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    PlatformPorts platform = MakePlatformPorts();
    const std::filesystem::path runDirectory = platform.runDirectory->RunDirectory();
    // One copy records into a run directory: the one that holds its lock. A later start shows that copy's
    // main window and ends.
    switch (platform.runLock->TryLock(runDirectory)) {
        case RunLockPort::Outcome::kHeld:
            break;
        case RunLockPort::Outcome::kHeldByAnother:
            if (gui::AskRunningCopyToShow(runDirectory.native())) {
                std::fputs("quorell: already running; showed its window\n", stderr);
                return 0;
            }
            std::fprintf(stderr, "quorell: another copy records in %ls but does not answer\n", runDirectory.c_str());
            return 1;
        case RunLockPort::Outcome::kUnavailable:
            // Nothing can be locked, so nothing can be saved there either; the monitors still work.
            std::fprintf(stderr,
                         "quorell: cannot lock the run directory (%ls); history and settings may not be saved\n",
                         runDirectory.c_str());
            break;
    }
    // Made at once, so that a later copy finds this one as early as possible; it hears the requests only
    // once the message loop runs.
    gui::ProgramWindow programWindow(instance, gui::ProgramWindowTitle(runDirectory.native()));

    const std::unique_ptr<IniStore> iniStore =
        MakeProgramStore(std::move(platform.files), std::move(platform.gbkCodec));
    ::SetCurrentDirectoryW(runDirectory.c_str());

    gui::ViewContext context(instance);
    std::unique_ptr<Application> application;
    const auto windows = [&application](WindowKind kind) -> Window& { return application->GetWindow(kind); };
    gui::Win32Desktop desktop(windows, context, programWindow);

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

    // The system's requests end the run at once, without a question and without closing the windows one by
    // one (closing only hides them); the files are saved below.
    const auto endOnRequest = [&] { context.Run([&] { application->EndOnRequest(); }); };
    programWindow.SetRequests(gui::ProgramRequests{
        .showMainWindow =
            [&] {
                context.Run([&] { application->GetWindow(WindowKind::Main).SetVisible(true); });
                ::SetForegroundWindow(views.Handle(WindowKind::Main));
            },
        .end = endOnRequest,
        // Logging off or shutting down: the process may be ended as soon as the answer is given.
        .endSession =
            [&] {
                endOnRequest();
                iniStore->Flush();
            },
    });
    // Ctrl+C or closing the console comes on a thread of the console; the request goes to the UI thread.
    // (A message to a window that is gone by then is dropped.)
    platform.termination->Watch(
        [hwnd = programWindow.Handle()] { ::PostMessageW(hwnd, gui::kEndRequestMessage, 0, 0); });

    const int loopResult = desktop.ExitCode() ? *desktop.ExitCode() : RunMessageLoop(views, context, endOnRequest);
    programWindow.SetRequests({});
    desktop.AttachViews(nullptr);
    context.SetDispatch(nullptr);
    iniStore->Flush();
    return desktop.ExitCode().value_or(loopResult);
}
