#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "app/recording_status.h"
#include "platform/run_lock_port.h"
#include "runtime/ini_store.h"

namespace quorell {

// Tells how this copy records on standard error, for a terminal or the session's log; the desktop is told
// through the recording status (ReportTo).
void TellOnStandardError(const std::string& text);

// Whether this copy records into its run directory: only while it holds the directory's lock. The
// lock file can be deleted or replaced while it is held (a cleaner, another user in a shared folder),
// so the store asks again before every save run (after every event) and before each file: a lock that
// is no longer the folder's is taken again when it can be (until then nothing is saved); when another
// copy holds it by then, this copy stops recording for good, says so and leaves the files to that copy.
// So one copy at a time writes the files. A copy that cannot lock at the start does not record.
class RecordingLock {
public:
    using Notice = std::function<void(const std::string& text)>;

    RecordingLock(RunLockPort& lock, std::filesystem::path directory, Notice notice = TellOnStandardError);

    // Takes the lock at the start; this copy records only on kHeld. On kUnavailable it says why and
    // that nothing is saved (kHeldByAnother is the caller's to answer).
    RunLockPort::Outcome Take();
    // Whether this copy may replace its files now (see above).
    bool MayWrite();
    bool Recording() const { return recording_; }

    // Makes `store` ask MayWrite before it saves; this object must outlive the store.
    void Guard(IniStore& store);
    // Every stop and resumption of recording is also reported to `status`, which must outlive this object.
    void ReportTo(RecordingStatus& status) { status_ = &status; }

private:
    template <typename Change>
    void Report(Change change);

    RunLockPort& lock_;
    std::filesystem::path directory_;
    Notice notice_;
    RecordingStatus* status_ = nullptr;
    bool recording_ = false;
    bool paused_ = false;  // the lock was lost and cannot be made again for now
};

}  // namespace quorell
