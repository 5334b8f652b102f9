#pragma once

// A whole application on fake ports in a temporary run directory, for tests that drive complete runs.

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/application.h"
#include "app/program_store.h"
#include "platform/clock_port.h"
#include "platform/full_screen_port.h"
#include "platform/run_directory_port.h"
#include "runtime/ini_file.h"
#include "support/fake_counters.h"
#include "support/fake_desktop.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"
#include "ui_model/ui_model.h"

namespace quorell::testing {

class RigRunDirectory final : public RunDirectoryPort {
public:
    explicit RigRunDirectory(std::filesystem::path path) : path_(std::move(path)) {}
    std::filesystem::path RunDirectory() const override {
        if (failing) {
            throw std::runtime_error("run directory unavailable");
        }
        return path_;
    }
    bool failing = false;

private:
    std::filesystem::path path_;
};

class RigClock final : public ClockPort {
public:
    CivilTime LocalNow() const override { return now; }
    CivilTime now{2026, 12, 7, 21, 0, 0};
};

// Another program fills a screen while the test says so.
class RigFullScreen final : public FullScreenPort {
public:
    bool OtherProgramFullScreen() override { return active; }
    bool active = false;
};

// The fake machine and desktop outlive each application started on them, so a test can restart.
struct AppRig {
    AppRig() { interfaces.SetRowCount(12); }

    Application& Start() {
        app = std::make_unique<Application>(
            ApplicationPorts{runDirectory, desktop, clock, cpu, memory, interfaces, version, store, autostart,
                             &fullScreen});
        app->Start();
        return *app;
    }
    // A new run in the same directory, on a fresh desktop.
    Application& Restart() {
        app.reset();
        desktop = FakeDesktop();
        return Start();
    }

    std::filesystem::path SettingsPath() const { return dir.File("程序配置.Ini"); }
    std::string Setting(std::string_view section, std::string_view key) {
        return IniFile(store, SettingsPath()).Read(section, key, "<absent>");
    }
    // The settings file decoded from GBK; "<not GBK>" when it is not.
    std::string SettingsText() const {
        return SystemGbk().GbkToUtf8(ReadFileBytes(SettingsPath())).value_or("<not GBK>");
    }
    void WriteSettings(std::string_view utf8) const {
        WriteFileBytes(SettingsPath(), SystemGbk().Utf8ToGbk(utf8).value());
    }

    Window& Main() const { return app->GetWindow(WindowKind::Main); }
    Window& Get(WindowKind kind) const { return app->GetWindow(kind); }
    PopupMenu& Menu() const { return Main().Menu("右键菜单"); }
    // Right-clicks the tray icon and chooses the item at `position`.
    void ChooseFromTray(std::size_t position) {
        desktop.menuChoice = position;
        Main().RaiseTrayEvent(TrayClick::RightUp);
    }

    TempDir dir;
    RigRunDirectory runDirectory{dir.Path()};
    FakeDesktop desktop;
    RigClock clock;
    FakeCpuCounters cpu;
    FakeMemoryStatus memory;
    FakeInterfaceTable interfaces;
    FakePlatformVersion version;
    RigFullScreen fullScreen;
    // The program's own save policy: settings at once, history between events after the delay.
    std::unique_ptr<IniStore> programStore = MakeProgramStore(MakeSystemFileAccess(), MakeSystemGbkCodec());
    IniStore& store = *programStore;
    AutostartPort* autostart = nullptr;  // a test's session entry, or none
    std::unique_ptr<Application> app;
};

}  // namespace quorell::testing
