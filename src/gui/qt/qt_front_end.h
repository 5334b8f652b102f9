#pragma once

#include <QApplication>
#include <QMetaObject>
#include <QObject>
#include <memory>

#include "app/program_front_end.h"
#include "gui/qt/qt_desktop.h"
#include "gui/qt/view_context.h"
#include "gui/qt/view_set.h"

namespace quorell::gui {

// The Qt front end of a run: the views, the desktop services, the event loop, the session manager's
// request and the hand-over of work from other threads to the user-interface thread.
class QtFrontEnd final : public ProgramFrontEnd {
public:
    explicit QtFrontEnd(QApplication& application);
    ~QtFrontEnd() override;
    QtFrontEnd(const QtFrontEnd&) = delete;
    QtFrontEnd& operator=(const QtFrontEnd&) = delete;

    DesktopPort& Desktop() override { return desktop_; }
    void Attach(EventDispatch& dispatch, WindowLookup windows) override;
    void MakeViews() override;
    void WatchSystemRequests(SystemRequests requests) override;
    int RunLoop() override;
    void RunOnUiThread(std::function<void()> work) override;
    void RaiseMainWindow() override;
    void Detach() override;

private:
    QApplication& application_;
    ViewContext context_;
    WindowLookup windows_;
    QtDesktop desktop_;
    std::unique_ptr<ViewSet> views_;
    QObject relay_;  // lives on the user-interface thread; work handed over runs in its context
    QMetaObject::Connection sessionEnd_;
    bool attached_ = false;
};

}  // namespace quorell::gui
