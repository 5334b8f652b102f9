// The program's life on a fake front end: the run lock's outcomes, a later start's request, the system's
// requests to end and the final save.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>

#include "app/program.h"
#include "app/tray_tip.h"
#include "platform/system_files.h"
#include "app_rig.h"
#include "runtime/fatal_error.h"
#include "support/fake_program_ports.h"
#include "support/switchable_file_access.h"

namespace quorell {
namespace {

using testing::FakeRunLock;
using testing::FakeShowRequests;
using testing::FakeTermination;
using testing::TempDir;

// One thread for everything: work handed over runs at once while the front end is attached.
class FakeFrontEnd final : public ProgramFrontEnd {
public:
    DesktopPort& Desktop() override { return desktop; }
    void Attach(EventDispatch& eventDispatch, WindowLookup lookup) override {
        dispatch = &eventDispatch;
        windows = std::move(lookup);
    }
    void MakeViews() override { viewsMade = true; }
    void WatchSystemRequests(SystemRequests systemRequests) override { requests = std::move(systemRequests); }
    int RunLoop() override {
        if (loop) {
            loop();
        }
        return desktop.quitCode.value_or(-99);
    }
    void RunOnUiThread(std::function<void()> work) override {
        if (dispatch != nullptr) {
            work();
        }
    }
    void RaiseMainWindow() override { ++raised; }
    void Detach() override { dispatch = nullptr; }

    // Input as a view forwards it.
    void Forward(const std::function<void()>& input) const { dispatch->Dispatch(input); }
    void TickCpu() const {
        Forward([this] { windows(WindowKind::CpuMonitor).Timer(names::kCpuMonitor.timer).Tick(); });
    }

    FakeDesktop desktop;
    EventDispatch* dispatch = nullptr;
    WindowLookup windows;
    SystemRequests requests;
    bool viewsMade = false;
    int raised = 0;
    std::function<void()> loop;  // what happens while the loop runs
};

// A run directory that can be found once, at the start, and fails from then on when told to.
class RunDirectoryThatFails final : public RunDirectoryPort {
public:
    explicit RunDirectoryThatFails(std::filesystem::path path) : path_(std::move(path)) {}
    std::filesystem::path RunDirectory() const override {
        if (failing && asked_++ > 0) {
            throw std::runtime_error("run directory unavailable");
        }
        return path_;
    }
    bool failing = false;

private:
    std::filesystem::path path_;
    mutable int asked_ = 0;
};

class ProgramLife : public ::testing::Test {
protected:
    ~ProgramLife() override { std::filesystem::current_path(workingDirectory); }

    int Run(RunLockPort::Outcome outcome) {
        PlatformPorts ports;
        auto directory = std::make_unique<RunDirectoryThatFails>(dir.Path());
        directory->failing = startFails;
        ports.runDirectory = std::move(directory);
        ports.runLock = std::make_unique<FakeRunLock>(outcome);
        ports.clock = std::make_unique<testing::RigClock>();
        ports.cpuCounters = std::make_unique<FakeCpuCounters>();
        auto interfaces = std::make_unique<FakeInterfaceTable>();
        interfaces->SetRowCount(3);
        ports.interfaceTable = std::move(interfaces);
        ports.memoryStatus = std::make_unique<FakeMemoryStatus>();
        ports.platformVersion = std::make_unique<FakePlatformVersion>();
        ports.termination = std::make_unique<FakeTermination>(terminate);
        ports.showRequests = std::make_unique<FakeShowRequests>(showRequests);
        auto switchable = std::make_unique<testing::SwitchableFileAccess>();
        files = switchable.get();
        ports.files = std::move(switchable);
        ports.gbkCodec = MakeSystemGbkCodec();
        return RunProgram(frontEnd, std::move(ports));
    }

    const std::filesystem::path workingDirectory = std::filesystem::current_path();
    TempDir dir;
    FakeFrontEnd frontEnd;
    bool startFails = false;
    testing::SwitchableFileAccess* files = nullptr;  // the run's, while it runs
    std::function<void()> terminate;
    testing::ShowRequestRecord showRequests;
};

TEST_F(ProgramLife, TheRecordingCopyShowsItselfToALaterStartAndEndsSavedOnTheSystemsRequest) {
    bool confirmed = false;
    frontEnd.loop = [&] {
        EXPECT_TRUE(frontEnd.viewsMade);
        EXPECT_EQ(showRequests.listenedIn, dir.Path());
        frontEnd.TickCpu();
        frontEnd.Forward([&] { frontEnd.windows(WindowKind::Main).SetVisible(false); });
        showRequests.request([&] { confirmed = true; });
        EXPECT_TRUE(confirmed);
        EXPECT_TRUE(frontEnd.windows(WindowKind::Main).Visible());
        EXPECT_EQ(frontEnd.raised, 1);
        EXPECT_FALSE(std::filesystem::exists(dir.File("Cpu.FDB")));  // held back between ticks
        terminate();
    };
    EXPECT_EQ(Run(RunLockPort::Outcome::kHeld), 0);
    EXPECT_TRUE(frontEnd.desktop.trayIcons.empty());
    EXPECT_TRUE(std::filesystem::exists(dir.File("Cpu.FDB")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("程序配置.Ini")));
    // After the end nothing enters the model, and a later start is no longer confirmed.
    EXPECT_EQ(frontEnd.dispatch, nullptr);
    confirmed = false;
    showRequests.request([&] { confirmed = true; });
    EXPECT_FALSE(confirmed);
}

TEST_F(ProgramLife, TheSessionsEndSavesEverythingBeforeItAnswers) {
    frontEnd.loop = [&] {
        frontEnd.TickCpu();
        frontEnd.requests.endSession();
        EXPECT_TRUE(std::filesystem::exists(dir.File("Cpu.FDB")));
        EXPECT_EQ(frontEnd.desktop.quitCode, 0);
    };
    EXPECT_EQ(Run(RunLockPort::Outcome::kHeld), 0);
}

TEST_F(ProgramLife, ALaterStartLeavesWithTheRunningCopysAnswer) {
    showRequests.runningCopyAnswers = true;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Run(RunLockPort::Outcome::kHeldByAnother), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "quorell: already running; showed its window\n");
    EXPECT_EQ(showRequests.askedIn, dir.Path());
    EXPECT_EQ(frontEnd.desktop.trayAdds, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("程序配置.Ini")));

    showRequests.runningCopyAnswers = false;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Run(RunLockPort::Outcome::kHeldByAnother), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "quorell: another copy records in " + testing::Utf8FromPath(dir.Path()) + " but does not answer\n");
    EXPECT_EQ(frontEnd.desktop.trayAdds, 0);
}

TEST_F(ProgramLife, WithoutALockTheProgramSaysSoAndRunsUnheard) {
    frontEnd.loop = [&] { frontEnd.requests.end(); };
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Run(RunLockPort::Outcome::kUnavailable), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "quorell: cannot lock the run directory (no locks here); this copy does not record: its history and "
              "settings are not saved\n");
    EXPECT_FALSE(showRequests.listenedIn);
    EXPECT_FALSE(std::filesystem::exists(dir.File("程序配置.Ini")));
    EXPECT_EQ(frontEnd.desktop.trayAdds, 1);
    // The desktop is told too, once the tray icon is there.
    ASSERT_EQ(frontEnd.desktop.notices.size(), 1u);
    EXPECT_EQ(frontEnd.desktop.notices[0].text,
              "无法锁定 " + testing::Utf8FromPath(dir.Path()) + " (no locks here),本次运行不保存记录和设置。");
}

TEST_F(ProgramLife, AFailedSaveIsNoticedOnceAndItsLineStaysInTheTipUntilSavesSucceed) {
    std::string tipWhileFailing;
    std::string tipAfter;
    std::size_t noticesWhileFailing = 0;
    frontEnd.loop = [&] {
        const auto clickTransparency = [&] {
            frontEnd.Forward([&] { frontEnd.windows(WindowKind::Main).CheckBox(names::kTransparencyBox).Click(); });
        };
        files->failReplace = true;
        clickTransparency();  // the settings file is saved at every change
        clickTransparency();
        noticesWhileFailing = frontEnd.desktop.notices.size();
        tipWhileFailing = frontEnd.desktop.trayIcons.at(kTrayIconId).tipText;
        files->failReplace = false;
        clickTransparency();
        tipAfter = frontEnd.desktop.trayIcons.at(kTrayIconId).tipText;
        terminate();
    };
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Run(RunLockPort::Outcome::kHeld), 0);
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find("quorell: cannot save " + testing::Utf8FromPath(dir.File("程序配置.Ini"))), std::string::npos)
        << told;

    EXPECT_EQ(noticesWhileFailing, 1u);
    ASSERT_EQ(frontEnd.desktop.notices.size(), 1u);
    EXPECT_EQ(frontEnd.desktop.notices[0].title, "Quorell 停止记录");
    EXPECT_NE(frontEnd.desktop.notices[0].text.find("程序配置.Ini"), std::string::npos);
    EXPECT_EQ(tipWhileFailing.substr(0, tipWhileFailing.find("\r\n作者")), "Velkor - Quorell\r\n未保存: 程序配置.Ini");
    EXPECT_EQ(tipAfter, TrayTipText());
}

TEST_F(ProgramLife, WithoutATrayTheMainWindowsTitleCarriesTheStopUntilATrayTakesIt) {
    frontEnd.desktop.trayHost = false;
    std::string titleWithoutTray;
    std::string titleWithTray;
    std::string tip;
    frontEnd.loop = [&] {
        Window& main = frontEnd.windows(WindowKind::Main);
        titleWithoutTray = main.Title();
        frontEnd.desktop.trayHost = true;
        frontEnd.TickCpu();
        titleWithTray = main.Title();
        tip = frontEnd.desktop.trayIcons.at(kTrayIconId).tipText;
        frontEnd.requests.end();
    };
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Run(RunLockPort::Outcome::kUnavailable), 0);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(titleWithoutTray, titleWithTray + " - 未记录: 无法锁定文件夹");
    EXPECT_NE(tip.find("未记录: 无法锁定文件夹"), std::string::npos);
    EXPECT_TRUE(frontEnd.desktop.notices.empty());  // seen in the title already
}

TEST_F(ProgramLife, AStartThatFailsEndsWithTheFatalCodeAndNoLoop) {
    startFails = true;
    frontEnd.loop = [] { ADD_FAILURE() << "the loop ran after a failed start"; };
    EXPECT_EQ(Run(RunLockPort::Outcome::kHeld), kFatalErrorExitCode);
    EXPECT_EQ(frontEnd.desktop.fatalErrors.size(), 1u);
    EXPECT_FALSE(frontEnd.viewsMade);
    EXPECT_EQ(frontEnd.dispatch, nullptr);
}

}  // namespace
}  // namespace quorell
