#include "gui/qt/tick_batch.h"

#include <QTimer>

namespace quorell::gui {

TickBatch::TickBatch(IniStore& store) : store_(store) {}

TickBatch::~TickBatch() {
    Close();
}

void TickBatch::Join() {
    if (open_) {
        return;
    }
    open_ = true;
    store_.BeginEvent();
    // A zero timeout is handled with the events the ticks posted, before the loop next sleeps.
    QTimer::singleShot(0, this, &TickBatch::Close);
}

void TickBatch::Close() {
    if (!open_) {
        return;
    }
    open_ = false;
    store_.EndEvent();
}

}  // namespace quorell::gui
