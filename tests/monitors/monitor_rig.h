#pragma once

// Windows, a fake clock and small helpers for driving the monitors in tests.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock_port.h"
#include "runtime/ini_file.h"
#include "runtime/ini_store.h"
#include "support/fake_counters.h"
#include "support/temp_dir.h"
#include "ui_model/controls.h"
#include "ui_model/draw_panel.h"
#include "ui_model/window.h"
#include "ui_model/window_design.h"

namespace quorell::testing {

// A clock that a test sets; it counts how often it is read.
class FakeClock final : public ClockPort {
public:
    CivilTime LocalNow() const override {
        ++reads;
        return now;
    }
    CivilTime now{2011, 6, 13, 8, 30, 5};
    mutable int reads = 0;
};

// A window with the four value labels of a monitor (creation text `zero`, "0:0:0" for the time) and its panel.
inline WindowDesign MonitorWindowDesign(const std::vector<std::string>& labels, const std::string& zero,
                                        const std::string& panel) {
    WindowDesign design;
    for (const std::string& name : labels) {
        ControlDesign label;
        label.name = name;
        label.text = name.find("时间") != std::string::npos ? "0:0:0" : zero;
        design.controls.push_back(label);
    }
    ControlDesign draw;
    draw.kind = ControlKind::DrawPanel;
    draw.name = panel;
    design.controls.push_back(draw);
    return design;
}

// Moves the CPU counters by one second of one processor busy `usage` percent; the idle share is half a
// percent short, so the sampler's truncation lands on `usage` itself.
inline void AdvanceCpuSecond(FakeCpuCounters& counters, int usage) {
    counters.Advance(static_cast<std::int64_t>(199 - 2 * usage) * 50'000, 10'000'000);
}

// 8 GiB with `usedMegabytes` (units of 1,024,000 bytes) in use.
inline void SetMemory(FakeMemoryStatus& memory, std::int32_t loadPercent, std::uint64_t usedMegabytes) {
    constexpr std::uint64_t kTotal = 8ull << 30;
    memory.Set(kTotal, kTotal - usedMegabytes * 1'024'000, loadPercent);
}

inline std::string HistoryValue(const IniFile& file, std::string_view section, std::string_view key) {
    return file.Read(section, key);
}
inline std::string LabelText(const Window& window, const char* name) {
    return window.Label(name).Text();
}
inline Rgb LabelColour(const Window& window, const char* name) {
    return window.Label(name).TextColour();
}

}  // namespace quorell::testing
