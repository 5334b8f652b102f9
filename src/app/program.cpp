#include "app/program.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "app/application.h"
#include "app/program_store.h"
#include "app/recording_lock.h"

namespace quorell {

namespace {

std::string PathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

// The recording copy of the run directory: whether this copy may go on. A later start asks the recording
// copy to show its window and learns the exit code it leaves with.
struct LockOutcome {
    bool records = false;
    std::optional<int> leaveWith;
};

LockOutcome LockRunDirectory(RecordingLock& recording, ShowRequestPort* showRequests,
                             const std::filesystem::path& runDirectory) {
    switch (recording.Take()) {
        case RunLockPort::Outcome::kHeld:
            return {.records = true, .leaveWith = std::nullopt};
        case RunLockPort::Outcome::kHeldByAnother:
            if (showRequests != nullptr && showRequests->AskRunningCopy(runDirectory, kShowRequestWait)) {
                std::fputs("quorell: already running; showed its window\n", stderr);
                return {.records = false, .leaveWith = 0};
            }
            std::fprintf(stderr, "quorell: another copy records in %s but does not answer\n",
                         PathText(runDirectory).c_str());
            return {.records = false, .leaveWith = 1};
        case RunLockPort::Outcome::kUnavailable:
            break;  // Take said why, and that this copy does not record; the monitors still work
    }
    return {};
}

}  // namespace

int RunProgram(ProgramFrontEnd& frontEnd) {
    return RunProgram(frontEnd, MakePlatformPorts());
}

int RunProgram(ProgramFrontEnd& frontEnd, PlatformPorts platform) {
    const std::filesystem::path runDirectory = platform.runDirectory->RunDirectory();
    std::unique_ptr<ShowRequestPort> showRequests = frontEnd.OwnShowRequests();
    if (!showRequests) {
        showRequests = std::move(platform.showRequests);
    }
    // Whether this copy records, told on the desktop once the program has a tray or a window.
    RecordingStatus recordingStatus;
    // The lock is checked again before every save for as long as the store lives.
    RecordingLock recording(*platform.runLock, runDirectory);
    recording.ReportTo(recordingStatus);
    const LockOutcome lock = LockRunDirectory(recording, showRequests.get(), runDirectory);
    if (lock.leaveWith) {
        return *lock.leaveWith;
    }

    // Set on the user-interface thread once the views exist; until then a later start's request goes
    // unanswered and the later start asks again.
    Application* shown = nullptr;
    if (lock.records && showRequests) {
        // Heard from now on, so that a later start finds this copy as early as possible.
        showRequests->Listen(runDirectory, [&frontEnd, &shown](ShowRequestPort::Confirm confirm) {
            frontEnd.RunOnUiThread([&frontEnd, &shown, confirm = std::move(confirm)] {
                Application* application = shown;
                if (application == nullptr) {
                    return;
                }
                Window& main = application->GetWindow(WindowKind::Main);
                if (application->Dispatch([&main] { main.SetVisible(true); })) {
                    frontEnd.RaiseMainWindow();
                    confirm();
                }
            });
        });
    }

    const std::unique_ptr<IniStore> store = MakeProgramStore(std::move(platform.files), std::move(platform.gbkCodec));
    recording.Guard(*store);
    ReportSavesTo(*store, recordingStatus);
    std::error_code ignored;
    std::filesystem::current_path(runDirectory, ignored);

    Application application(ApplicationPorts{*platform.runDirectory, frontEnd.Desktop(), *platform.clock,
                                             *platform.cpuCounters, *platform.memoryStatus, *platform.interfaceTable,
                                             *platform.platformVersion, *store, platform.autostart.get(),
                                             platform.fullScreen.get()});
    application.WatchRecording(recordingStatus);
    frontEnd.Attach(application, [&application](WindowKind kind) -> Window& { return application.GetWindow(kind); });
    if (!application.Start()) {
        frontEnd.Detach();
        store->Flush();
        return application.FinalExitCode();
    }
    frontEnd.MakeViews();
    shown = &application;

    // The system's requests end the run at once, without a question and without closing the windows one by
    // one (closing only hides them); the files are saved below, or at once when the session ends, since the
    // process may be ended as soon as the answer is given.
    const auto endOnRequest = [&application] { application.Dispatch([&application] { application.EndOnRequest(); }); };
    frontEnd.WatchSystemRequests({
        .end = endOnRequest,
        .endSession =
            [&endOnRequest, &store] {
                endOnRequest();
                store->Flush();
            },
    });
    // A signal or the console comes on a thread of the back end; the request goes to the UI thread.
    platform.termination->Watch([&frontEnd, endOnRequest] { frontEnd.RunOnUiThread(endOnRequest); });

    const int loopResult = application.ExitCode() ? *application.ExitCode() : frontEnd.RunLoop();
    shown = nullptr;
    frontEnd.Detach();
    store->Flush();
    return application.ExitCode().value_or(loopResult);
}

}  // namespace quorell
