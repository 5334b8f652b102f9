#include "gui/win32/view_context.h"

#include <cstdio>

#include "gui/win32/resource_ids.h"

namespace quorell::gui {

namespace {

HICON LoadApplicationIcon(HINSTANCE instance, int metricX, int metricY) {
    return static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(QUORELL_ICON_APPLICATION), IMAGE_ICON,
                                           ::GetSystemMetrics(metricX), ::GetSystemMetrics(metricY), LR_DEFAULTCOLOR));
}

}  // namespace

ViewContext::ViewContext(HINSTANCE instance)
    : instance_(instance),
      smallIcon_(LoadApplicationIcon(instance, SM_CXSMICON, SM_CYSMICON)),
      largeIcon_(LoadApplicationIcon(instance, SM_CXICON, SM_CYICON)) {}

ViewContext::~ViewContext() {
    CloseBatch();
}

void ViewContext::SetDispatch(EventDispatch* dispatch) {
    CloseBatch();
    dispatch_ = dispatch;
}

bool ViewContext::Run(const std::function<void()>& call) noexcept {
    if (dispatch_ == nullptr) {
        return false;
    }
    try {
        return dispatch_->Dispatch(call);
    } catch (...) {
        // The dispatch ends the run on any error; nothing may unwind into the window procedure regardless.
        std::fputs("quorell: an event escaped the application's dispatch\n", stderr);
        return false;
    }
}

bool ViewContext::RunTick(const std::function<void()>& tick) noexcept {
    if (dispatch_ != nullptr && !batchOpen_) {
        batchOpen_ = true;
        dispatch_->BeginBatch();
    }
    const bool ran = Run(tick);
    // Timers due at the same moment are delivered one after another while nothing else waits; the batch
    // ends with the last of them, before the program next sleeps.
    MSG waiting;
    if (!::PeekMessageW(&waiting, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE | PM_NOYIELD)) {
        CloseBatch();
    }
    return ran;
}

void ViewContext::CloseBatch() {
    if (!batchOpen_) {
        return;
    }
    batchOpen_ = false;
    if (dispatch_ != nullptr) {
        dispatch_->EndBatch();
    }
}

}  // namespace quorell::gui
