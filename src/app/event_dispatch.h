#pragma once

#include <functional>

namespace quorell {

// The one way into a running program: every click, key, move, tray click, menu choice, timer tick and
// request of the system reaches the model as one event through Dispatch.
class EventDispatch {
public:
    virtual ~EventDispatch() = default;

    // Runs `event` as one event of the program: the INI files are looked at once for it, and a fatal
    // error inside it ends the run through the fatal path (message, tray icon removed, exit code).
    // Called inside an event (a handler raising another model event), it runs `event` as part of that
    // one. Returns false when it did not run to its end (the run had ended, or it ended it).
    virtual bool Dispatch(const std::function<void()>& event) = 0;

    // Timer ticks that come due together run as one event of the INI files: from BeginBatch to EndBatch
    // each file is looked at on disk once for all of them. Batches do not nest.
    virtual void BeginBatch() = 0;
    virtual void EndBatch() = 0;
};

}  // namespace quorell
