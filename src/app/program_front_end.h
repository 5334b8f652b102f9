#pragma once

#include <functional>
#include <memory>

#include "app/desktop_port.h"
#include "app/event_dispatch.h"
#include "platform/show_request_port.h"
#include "ui_model/window.h"

namespace quorell {

// What the system asks of a running program through the toolkit rather than through a platform port.
struct SystemRequests {
    std::function<void()> end;         // end at once, saved (another program's close request)
    std::function<void()> endSession;  // the session ends: everything is saved before this returns
};

// The part of a run that only a toolkit can do; the program's life (program.h) drives it from start to end.
class ProgramFrontEnd {
public:
    using WindowLookup = std::function<Window&(WindowKind)>;

    virtual ~ProgramFrontEnd() = default;

    // The desktop services the core asks for; the front end's Quit ends RunLoop.
    virtual DesktopPort& Desktop() = 0;
    // The channel of a later start's request when the toolkit carries it; null: the platform's.
    virtual std::unique_ptr<ShowRequestPort> OwnShowRequests() { return nullptr; }

    // From now on every view's input and every tray click enters the model through `dispatch`;
    // `windows` finds a model window once the core has made them.
    virtual void Attach(EventDispatch& dispatch, WindowLookup windows) = 0;
    // Makes the views of the six windows, which exist in the model by now.
    virtual void MakeViews() = 0;
    // Routes the system's requests that come through the toolkit.
    virtual void WatchSystemRequests(SystemRequests requests) = 0;
    // Runs the event loop until the desktop's Quit; returns the loop's code.
    virtual int RunLoop() = 0;
    // Runs `work` on the user-interface thread: at once when called there, else queued. Safe from any thread.
    virtual void RunOnUiThread(std::function<void()> work) = 0;
    // Brings the main window's view to the front (the model has just shown it).
    virtual void RaiseMainWindow() = 0;
    // The end of the run: the views go, nothing enters the model any more, queued work is dropped.
    virtual void Detach() = 0;
};

}  // namespace quorell
