#pragma once

#include <windows.h>

#include <functional>

#include "app/event_dispatch.h"
#include "gui/win32/owned_handle.h"

namespace quorell::gui {

// What every Win32 view shares: the program's instance and icon, and the way into the model. Every call
// from a view into the model is one event of the program, run by the application's dispatch, which also
// takes care of a handler that fails (nothing may unwind through a window procedure).
class ViewContext {
public:
    explicit ViewContext(HINSTANCE instance);
    ~ViewContext();
    ViewContext(const ViewContext&) = delete;
    ViewContext& operator=(const ViewContext&) = delete;

    HINSTANCE Instance() const { return instance_; }
    // The application icon at the system's small (16 px at 96 dpi) and large (32 px) sizes; null when the
    // executable carries none (the test programs).
    HICON SmallIcon() const { return smallIcon_.Get(); }
    HICON LargeIcon() const { return largeIcon_.Get(); }

    // The application's dispatch; set before the first view forwards anything. nullptr detaches it.
    void SetDispatch(EventDispatch* dispatch);

    // Runs a model call as one event; returns false when it did not run to its end.
    bool Run(const std::function<void()>& call) noexcept;

    // A timer tick. Ticks that come due together form one batch of the program's events (each INI file
    // is looked at on disk once for all of them): the batch opens with the first and closes after the
    // tick that leaves no other timer message waiting.
    bool RunTick(const std::function<void()>& tick) noexcept;

    // Called by the message loop before it waits: whatever batch is still open ends here.
    void Idle() { CloseBatch(); }

private:
    void CloseBatch();

    HINSTANCE instance_;
    OwnedIcon smallIcon_;
    OwnedIcon largeIcon_;
    EventDispatch* dispatch_ = nullptr;
    bool batchOpen_ = false;
};

}  // namespace quorell::gui
