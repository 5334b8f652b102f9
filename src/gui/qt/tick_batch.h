#pragma once

#include <QObject>

#include "app/event_dispatch.h"

namespace quorell::gui {

// Timers that come due together (the monitors and the trend window tick in step once a second) run as
// one batch of the program's events: each INI file is checked on disk once for all their reads instead
// of once per tick. The batch ends as soon as the event loop has handled what the ticks left for it,
// before it waits again, so an edit by hand is seen at the next second's ticks as before.
class TickBatch : public QObject {
    Q_OBJECT
public:
    explicit TickBatch(EventDispatch& dispatch);
    ~TickBatch() override;

    // Called before each tick: opens the batch unless one is open.
    void Join();
    bool Open() const { return open_; }

private:
    void Close();

    EventDispatch& dispatch_;
    bool open_ = false;
};

}  // namespace quorell::gui
