#include "gui/qt/qt_front_end.h"

#include <QSessionManager>
#include <QThread>

#include "gui/qt/desktop_look.h"
#include "gui/qt/window_view.h"

namespace quorell::gui {

QtFrontEnd::QtFrontEnd(QApplication& application)
    : application_(application), desktop_([this](WindowKind kind) -> Window& { return windows_(kind); }, context_) {}

QtFrontEnd::~QtFrontEnd() {
    Detach();
}

void QtFrontEnd::Attach(EventDispatch& dispatch, WindowLookup windows) {
    ApplyDesktopLook(application_);
    windows_ = std::move(windows);
    context_.SetDispatch(&dispatch);
    attached_ = true;
}

void QtFrontEnd::MakeViews() {
    views_ = std::make_unique<ViewSet>(windows_, context_);
    desktop_.AttachViews(views_.get());
}

void QtFrontEnd::WatchSystemRequests(SystemRequests requests) {
    // Logging out: the session manager asks every program to commit its data; this one has nothing to
    // ask the user, so it saves and ends right there, as for a termination signal.
    QObject::disconnect(sessionEnd_);
    sessionEnd_ = QObject::connect(&application_, &QGuiApplication::commitDataRequest, &relay_,
                                   [endSession = std::move(requests.endSession)](QSessionManager&) {
                                       if (endSession) {
                                           endSession();
                                       }
                                   });
}

int QtFrontEnd::RunLoop() {
    return QApplication::exec();
}

void QtFrontEnd::RunOnUiThread(std::function<void()> work) {
    if (QThread::currentThread() == relay_.thread()) {
        if (attached_) {
            work();
        }
        return;
    }
    QMetaObject::invokeMethod(
        &relay_,
        [this, work = std::move(work)] {
            if (attached_) {
                work();
            }
        },
        Qt::QueuedConnection);
}

void QtFrontEnd::RaiseMainWindow() {
    if (views_) {
        WindowView& main = views_->View(WindowKind::Main);
        if (main.isMinimized()) {
            main.showNormal();
        }
        main.raise();
        main.activateWindow();
    }
}

void QtFrontEnd::Detach() {
    attached_ = false;
    QObject::disconnect(sessionEnd_);
    desktop_.AttachViews(nullptr);
    views_.reset();
    context_.SetDispatch(nullptr);
}

}  // namespace quorell::gui
