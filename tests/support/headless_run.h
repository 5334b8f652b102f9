#pragma once

#include <filesystem>
#include <utility>

#include "app/application_ports.h"
#include "platform/run_directory_port.h"
#include "runtime/date_time.h"
#include "support/fake_counters.h"
#include "support/fake_desktop.h"

namespace quorell {

// The ports of one run of the whole program on a real folder without a desktop: fake counters (8 GB of
// memory, 75 % used; two interfaces) and a clock that the test steps.
struct HeadlessPorts {
    class FolderRunDirectory final : public RunDirectoryPort {
    public:
        explicit FolderRunDirectory(std::filesystem::path path) : path_(std::move(path)) {}
        std::filesystem::path RunDirectory() const override { return path_; }

    private:
        std::filesystem::path path_;
    };
    class SteppedClock final : public ClockPort {
    public:
        CivilTime LocalNow() const override { return ToCivil(now); }
        void Step() { now.value += 1.0 / 86400; }
        DateTime now;
    };

    explicit HeadlessPorts(std::filesystem::path folder) : runDirectory(std::move(folder)) {
        memory.Set(8ull << 30, 2ull << 30, 75);
        interfaces.SetRowCount(2);
    }
    ApplicationPorts With(IniStore& store) {
        return ApplicationPorts{runDirectory, desktop, clock, cpu, memory, interfaces, version, store};
    }

    FolderRunDirectory runDirectory;
    FakeDesktop desktop;
    SteppedClock clock;
    FakeCpuCounters cpu;
    FakeMemoryStatus memory;
    FakeInterfaceTable interfaces;
    FakePlatformVersion version;
};

}  // namespace quorell
