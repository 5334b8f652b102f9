#pragma once

#include <QIcon>
#include <QPixmap>
#include <functional>

#include "gui/qt/tick_batch.h"
#include "runtime/fatal_error.h"

namespace quorell::gui {

// What every view shares: the images of the program and the way to report a fault from a handler.
// A handler that fails must not unwind through the Qt event loop, so every call from a view into the
// model goes through Run, which hands a fatal error to the fault handler (it shows it and ends the run).
class ViewContext {
public:
    using FaultHandler = std::function<void(const FatalError&)>;

    ViewContext();

    const QIcon& ApplicationIcon() const { return applicationIcon_; }
    const QPixmap& CloseMark() const { return closeMark_; }

    void SetFaultHandler(FaultHandler handler) { faultHandler_ = std::move(handler); }

    // Runs a model call; returns false when it failed (the fault was reported).
    template <typename Call>
    bool Run(Call&& call) noexcept {
        if (faulted_) {
            return false;
        }
        try {
            call();
            return true;
        } catch (const FatalError& error) {
            Report(error);
        } catch (const std::exception& error) {
            Report(FatalError(error.what()));
        } catch (...) {
            Report(FatalError("unknown error"));
        }
        return false;
    }

    // Whether a fault was reported; once one was, no further model call runs.
    bool Faulted() const { return faulted_; }

    // The INI event shared by the timers that come due together.
    TickBatch& Ticks() { return ticks_; }

private:
    void Report(const FatalError& error) noexcept;

    QIcon applicationIcon_;
    QPixmap closeMark_;
    FaultHandler faultHandler_;
    bool faulted_ = false;
    TickBatch ticks_;
};

}  // namespace quorell::gui
