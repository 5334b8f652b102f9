#include "app/full_screen_step_aside.h"

#include "app/main_window.h"
#include "ui_model/menu.h"

namespace quorell {

void FullScreenStepAside::Load() {
    // Only an explicit "否" turns it off: a missing or unreadable value keeps the default.
    SetEnabled(settings_.Read(kBasicSection, kStepAsideKey, kStepAsideOn) != kStepAsideOff);
}

void FullScreenStepAside::OnTick() {
    StepAside(enabled_ && fullScreen_ != nullptr && fullScreen_->OtherProgramFullScreen());
}

void FullScreenStepAside::OnMenuItem() {
    SetEnabled(!enabled_);
    settings_.Write(kBasicSection, kStepAsideKey, enabled_ ? kStepAsideOn : kStepAsideOff);
    OnTick();
}

void FullScreenStepAside::SetEnabled(bool enabled) {
    enabled_ = enabled;
    windows_.Main().Menu(kTrayMenuName).Item(kFullScreenItem).SetChecked(enabled);
}

void FullScreenStepAside::StepAside(bool aside) {
    if (aside == aside_) {
        return;
    }
    aside_ = aside;
    for (WindowKind monitor : kMonitorKinds) {
        windows_.Get(monitor).SetSteppedAside(aside);
    }
}

}  // namespace quorell
