#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/date_time.h"
#include "ui_model/canvas.h"
#include "ui_model/control_names.h"

namespace quorell {

class Label;
class Window;

// What a monitor's last tick measured, for whoever watches the value (the alerts): the number the monitor
// stands for (the CPU or memory percentage, the traffic in K per second) and the clock's reading of that
// tick. No value before the first tick, nor after a tick that could not measure.
struct TickReading {
    std::optional<std::int32_t> value;
    DateTime at;
};

// The control names and unit suffixes of one monitor window.
struct MonitorLayoutNames {
    names::MonitorNames controls;    // the peak label's text is the only copy of the highest value
    std::string_view currentSuffix;  // " %", "M" or "K"
    std::string_view peakSuffix;     // "%", "M" or "K": written after the peak and removed to read it back
    std::string_view averageSuffix;  // " %" or "%"
};

// What every monitor does with one tick's sample on its window: the level colour, the current value,
// the average, the highest value and its time, and the graph column. The monitors differ only in the
// sample, the names and the history file.
//
// The first tick is shown, coloured and drawn but enters neither the average nor the peak. A value equal
// to the shown peak moves the peak time to this tick. The average is held as a 64-bit sum and count,
// so no run is long enough to wrap it.
class MonitorDisplay {
public:
    // Looks the controls up once; the window must outlive the display. Throws std::out_of_range when
    // the window lacks one of the named controls.
    MonitorDisplay(Window& window, const MonitorLayoutNames& names);

    // `percent` drives the colour, the average and the graph; `shown` is the number in the current and
    // peak labels (the same percentage for the CPU, megabytes or K for the others). `now` is the tick's
    // reading of the clock.
    void ShowTick(std::int32_t percent, std::int32_t shown, DateTime now);

    // A tick whose sample could not be taken: `shown` is shown, coloured and drawn like any value, but it
    // is no measurement, so it enters neither the average nor the peak.
    void ShowFailedTick(std::int32_t shown, DateTime now);

    std::int32_t GraphColumn() const { return graphColumn_; }
    std::int64_t RunningSum() const { return runningSum_; }
    std::int64_t SampleCount() const { return sampleCount_; }

private:
    void Show(std::int32_t percent, std::int32_t shown, DateTime now, bool measured);
    std::int32_t ShownPeak() const;

    MonitorLayoutNames names_;
    Label& current_;
    Label& peak_;
    Label& peakTime_;
    Label& average_;
    Canvas& panel_;
    std::int32_t graphColumn_ = 0;
    std::int64_t runningSum_ = 0;
    std::int64_t sampleCount_ = 0;
};

}  // namespace quorell
