#pragma once

// A whole application on fake counters in a temporary run directory, shown through the real Qt views
// and desktop services, for the front end's tests.

#include <QMessageBox>
#include <QString>
#include <filesystem>
#include <memory>

#include "app/application.h"
#include "gui/qt/qt_desktop.h"
#include "gui/qt/view_context.h"
#include "gui/qt/view_set.h"
#include "platform/clock_port.h"
#include "platform/run_directory_port.h"
#include "runtime/ini_store.h"
#include "support/fake_counters.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"

namespace quorell::testing {

class FixedRunDirectory final : public RunDirectoryPort {
public:
    explicit FixedRunDirectory(std::filesystem::path path) : path_(std::move(path)) {}
    std::filesystem::path RunDirectory() const override { return path_; }

private:
    std::filesystem::path path_;
};

class FixedClock final : public ClockPort {
public:
    CivilTime LocalNow() const override { return now; }
    CivilTime now{2026, 12, 7, 21, 0, 0};
};

struct GuiRig {
    GuiRig();
    ~GuiRig();

    // Starts the application and makes the six views; false when the start failed.
    bool Start();

    Window& Model(WindowKind kind) const { return app->GetWindow(kind); }
    gui::WindowView& View(WindowKind kind) const { return views->View(kind); }
    template <typename T>
    T* Widget(WindowKind kind, const char* name) const {
        return qobject_cast<T*>(View(kind).Control(QString::fromUtf8(name)));
    }
    // The settings file's value, "<absent>" when the key is not there.
    std::string Setting(std::string_view section, std::string_view key);

    TempDir dir;
    FixedRunDirectory runDirectory{dir.Path()};
    FixedClock clock;
    FakeCpuCounters cpu;
    FakeMemoryStatus memory;
    FakeInterfaceTable interfaces;
    FakePlatformVersion version;
    SystemIniStore store;
    gui::ViewContext context;
    std::unique_ptr<Application> app;
    gui::QtDesktop desktop;
    std::unique_ptr<gui::ViewSet> views;
};

// Presses `button` in the next application-modal message box as soon as it is open.
void AnswerNextMessageBox(QMessageBox::StandardButton button);

// The test program's look: the style and font of the real program.
void UseProgramLook();

}  // namespace quorell::testing
