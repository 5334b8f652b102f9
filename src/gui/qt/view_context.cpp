#include "gui/qt/view_context.h"

#include <QtGlobal>

// The images are compiled into the front end's static library, whose resource registration the
// linker would drop as unreferenced; registering it here keeps it. (Outside any namespace, as Qt needs.)
static void RegisterImages() {
    Q_INIT_RESOURCE(quorell);
}

namespace quorell::gui {

namespace {
QPixmap LoadCloseMark() {
    RegisterImages();
    return QPixmap(QStringLiteral(":/quorell/close-mark.png"));
}
}  // namespace

ViewContext::ViewContext() : closeMark_(LoadCloseMark()) {
    for (int size : {16, 32, 48, 64}) {
        applicationIcon_.addFile(QStringLiteral(":/quorell/quorell-%1.png").arg(size), QSize(size, size));
    }
}

void ViewContext::SetDispatch(EventDispatch* dispatch) {
    ticks_.reset();
    dispatch_ = dispatch;
    if (dispatch_ != nullptr) {
        ticks_ = std::make_unique<TickBatch>(*dispatch_);
    }
}

bool ViewContext::Run(const std::function<void()>& call) noexcept {
    if (dispatch_ == nullptr) {
        return false;
    }
    try {
        return dispatch_->Dispatch(call);
    } catch (...) {
        // The dispatch ends the run on any error; nothing may unwind into the event loop regardless.
        qCritical("an event escaped the application's dispatch");
        return false;
    }
}

bool ViewContext::RunTick(const std::function<void()>& tick) noexcept {
    if (ticks_) {
        ticks_->Join();
    }
    return Run(tick);
}

}  // namespace quorell::gui
