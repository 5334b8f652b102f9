#pragma once

// Windows, fake ports and small helpers for driving the monitors in tests.

#include <cstdint>
#include <string>
#include <vector>

#include "app/model/controls.h"
#include "app/model/draw_panel.h"
#include "app/model/layout_spec.h"
#include "app/model/window.h"
#include "support/fake_counters.h"
#include "support/fake_environment.h"
#include "support/temp_dir.h"
#include "platform/clock_port.h"
#include "runtime/date_time.h"
#include "runtime/ini_file.h"

namespace quorell::testing {

// A clock that a test sets; it counts how often it is read.
class FakeClock final : public ClockPort {
public:
    CivilTime LocalNow() const override {
        ++reads;
        return now;
    }
    void Set(int year, int month, int day, int hour, int minute, int second) {
        now = CivilTime{year, month, day, hour, minute, second};
    }

    CivilTime now{2011, 6, 13, 8, 30, 5};
    mutable int reads = 0;
};

// A window holding just the value labels (with their creation texts) and the draw panel of a monitor.
inline WindowSpec MonitorWindowSpec(WindowKind kind, const std::vector<std::pair<std::string, std::string>>& labels,
                                    const std::string& panel) {
    WindowSpec spec;
    spec.kind = kind;
    spec.size = {321, 193};
    for (const auto& [name, text] : labels) {
        ControlSpec label;
        label.kind = ControlKind::Label;
        label.name = name;
        label.text = text;
        spec.controls.push_back(label);
    }
    ControlSpec draw;
    draw.kind = ControlKind::DrawPanel;
    draw.name = panel;
    draw.rect = {0, 0, 302, 102};
    spec.controls.push_back(draw);
    return spec;
}

inline WindowSpec CpuWindowSpec() {
    return MonitorWindowSpec(WindowKind::CpuMonitor,
                             {{"显示_当前Cpu使用率", "0%"}, {"显示_最高Cpu使用率", "0%"},
                              {"显示_平均Cpu使用率", "0%"}, {"显示_Cpu最高时间", "0:0:0"}},
                             "画板_Cpu");
}

inline WindowSpec MemoryWindowSpec() {
    return MonitorWindowSpec(WindowKind::MemoryMonitor,
                             {{"显示_当前内存", "0M"}, {"显示_最高内存", "0M"}, {"显示_平均内存", "0%"},
                              {"显示_最高时间", "0:0:0"}},
                             "画板_内存");
}

inline WindowSpec NetworkWindowSpec(WindowKind kind) {
    return MonitorWindowSpec(kind,
                             {{"显示_当前流量", "0K"}, {"显示_最高流量", "0K"}, {"显示_平均流量", "0K"},
                              {"显示_最高时间", "0:0:0"}},
                             "画板_Lan");
}

// Moves the CPU counters by one second of a single processor busy `usage` percent. The idle share is
// set half a percent short of the exact one, so the sampler's truncation lands on `usage` itself.
inline void AdvanceCpuSecond(FakeCpuCounters& counters, int usage) {
    counters.Advance(static_cast<std::int64_t>(199 - 2 * usage) * 50'000, 10'000'000);
}

// A memory status of 8 GiB with `usedMegabytes` (units of 1,024,000 bytes) in use.
inline void SetMemory(FakeMemoryStatus& memory, std::int32_t loadPercent, std::uint64_t usedMegabytes) {
    constexpr std::uint64_t kTotal = 8ull << 30;
    memory.Set(kTotal, kTotal - usedMegabytes * 1'024'000, loadPercent);
}

// What a history file holds under section/key (empty when missing).
inline std::string HistoryValue(const std::filesystem::path& file, std::string_view section, std::string_view key) {
    return ReadIni(file, section, key);
}

inline std::string LabelText(const Window& window, const char* name) { return window.Label(name).Text(); }
inline Rgb LabelColour(const Window& window, const char* name) { return window.Label(name).TextColour(); }

}  // namespace quorell::testing
