#include "monitors/monitor_display.h"

#include "monitors/live_graph.h"
#include "runtime/value_text.h"
#include "ui_model/colour.h"
#include "ui_model/controls.h"
#include "ui_model/draw_panel.h"
#include "ui_model/window.h"

namespace quorell {

MonitorDisplay::MonitorDisplay(Window& window, const MonitorLayoutNames& names)
    : names_(names),
      current_(window.Label(names.controls.currentLabel)),
      peak_(window.Label(names.controls.peakLabel)),
      peakTime_(window.Label(names.controls.peakTimeLabel)),
      average_(window.Label(names.controls.averageLabel)),
      panel_(window.DrawPanel(names.controls.drawPanel).Canvas()) {}

void MonitorDisplay::ShowTick(std::int32_t percent, std::int32_t shown, DateTime now) {
    Show(percent, shown, now, true);
}

void MonitorDisplay::ShowFailedTick(std::int32_t shown, DateTime now) {
    Show(shown, shown, now, false);
}

void MonitorDisplay::Show(std::int32_t percent, std::int32_t shown, DateTime now, bool measured) {
    ApplyLevelColour(panel_, percent);
    const Rgb level = panel_.PenColour();
    current_.SetTextColour(level);
    current_.SetText(Concat(ToText(shown), names_.currentSuffix));

    // A graph column above 0 means the first tick is past.
    const bool counted = measured && graphColumn_ > 0;
    if (counted) {
        runningSum_ += percent;
        ++sampleCount_;
        average_.SetText(Concat(ToText(runningSum_ / sampleCount_), names_.averageSuffix));
    }

    if (counted && shown >= ShownPeak()) {
        peak_.SetTextColour(level);
        peak_.SetText(Concat(ToText(shown), names_.peakSuffix));
        peakTime_.SetTextColour(level);
        peakTime_.SetText(FormatPeakTime(now));
    }

    DrawGraphColumn(panel_, percent, graphColumn_);
}

std::int32_t MonitorDisplay::ShownPeak() const {
    // The label holds the peak as its leading number; anything else there reads as 0.
    return ToInteger(ReplaceText(peak_.Text(), names_.peakSuffix, "", 1, -1, true));
}

}  // namespace quorell
