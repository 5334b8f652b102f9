#include "gui/qt/view_context.h"

#include <QtGlobal>

namespace quorell::gui {

ViewContext::ViewContext() : closeMark_(QStringLiteral(":/quorell/close-mark.png")) {
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
