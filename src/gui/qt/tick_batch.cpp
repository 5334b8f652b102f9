#include "gui/qt/tick_batch.h"

#include <QTimer>

namespace quorell::gui {

TickBatch::TickBatch(EventDispatch& dispatch) : dispatch_(dispatch) {}

TickBatch::~TickBatch() {
    Close();
}

void TickBatch::Join() {
    if (open_) {
        return;
    }
    open_ = true;
    dispatch_.BeginBatch();
    // A zero timeout is handled with the events the ticks posted, before the loop next sleeps.
    QTimer::singleShot(0, this, &TickBatch::Close);
}

void TickBatch::Close() {
    if (!open_) {
        return;
    }
    open_ = false;
    dispatch_.EndBatch();
}

}  // namespace quorell::gui
