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

void ViewContext::Report(const FatalError& error) noexcept {
    if (faulted_) {
        return;
    }
    faulted_ = true;
    try {
        if (faultHandler_) {
            faultHandler_(error);
        } else {
            qCritical("%s", error.what());
        }
    } catch (...) {
        qCritical("fault while reporting a fault: %s", error.what());
    }
}

}  // namespace quorell::gui
