#pragma once

#include <QIcon>
#include <QPixmap>
#include <functional>
#include <memory>

#include "app/event_dispatch.h"
#include "gui/qt/tick_batch.h"

namespace quorell::gui {

// What every view shares: the images of the program and the way into the model. Every call from a view
// into the model is one event of the program, run by the application's dispatch, which also takes care
// of a handler that fails (it must not unwind through the Qt event loop).
class ViewContext {
public:
    ViewContext();

    const QIcon& ApplicationIcon() const { return applicationIcon_; }
    const QPixmap& CloseMark() const { return closeMark_; }

    // The application's dispatch; set before the first view forwards anything. nullptr detaches it.
    void SetDispatch(EventDispatch* dispatch);

    // Runs a model call as one event; returns false when it did not run to its end.
    bool Run(const std::function<void()>& call) noexcept;

    // A timer tick: joins the batch of ticks due together, then runs the tick as one event.
    bool RunTick(const std::function<void()>& tick) noexcept;

private:
    QIcon applicationIcon_;
    QPixmap closeMark_;
    EventDispatch* dispatch_ = nullptr;
    std::unique_ptr<TickBatch> ticks_;
};

}  // namespace quorell::gui
