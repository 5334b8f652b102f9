#include "app/recording_lock.h"

#include <cstdio>
#include <utility>

namespace quorell {
namespace {

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

void TellOnStandardError(const std::string& text) {
    std::fprintf(stderr, "quorell: %s\n", text.c_str());
    std::fflush(stderr);
}

RecordingLock::RecordingLock(RunLockPort& lock, std::filesystem::path directory, Notice notice)
    : lock_(lock), directory_(std::move(directory)), notice_(std::move(notice)) {}

template <typename Change>
void RecordingLock::Report(Change change) {
    if (status_ != nullptr) {
        change(*status_);
    }
}

RunLockPort::Outcome RecordingLock::Take() {
    const RunLockPort::Outcome outcome = lock_.TryLock(directory_);
    recording_ = outcome == RunLockPort::Outcome::kHeld;
    if (outcome == RunLockPort::Outcome::kUnavailable) {
        // Saving without the lock could make two writers; the monitors still work.
        notice_("cannot lock the run directory (" + lock_.Reason() +
                "); this copy does not record: its history and settings are not saved");
        Report([&](RecordingStatus& status) {
            status.Stop(RecordingStatus::Cause::kForGood, LockUnavailableNotice(directory_, lock_.Reason()));
        });
    }
    return outcome;
}

bool RecordingLock::MayWrite() {
    if (!recording_) {
        return false;
    }
    if (lock_.StillHeld()) {
        return true;
    }
    switch (lock_.TryLock(directory_)) {
        case RunLockPort::Outcome::kHeld:
            if (std::exchange(paused_, false)) {
                notice_("took the lock of " + Utf8(directory_) + " again; saving goes on");
                Report([](RecordingStatus& status) { status.Resume(RecordingStatus::Cause::kLock); });
            }
            return true;
        case RunLockPort::Outcome::kHeldByAnother:
            recording_ = false;
            notice_("another copy now records in " + Utf8(directory_) +
                    "; this copy stops recording and leaves the files to it (its history and settings are no "
                    "longer saved)");
            Report([&](RecordingStatus& status) {
                status.Stop(RecordingStatus::Cause::kForGood, TakenByAnotherNotice(directory_));
            });
            return false;
        case RunLockPort::Outcome::kUnavailable:
            // Nobody can take a lock that cannot be made: the changes wait until this copy has it again.
            if (!std::exchange(paused_, true)) {
                notice_("lost the lock of the run directory and cannot take it again (" + lock_.Reason() +
                        "); nothing is saved until it can");
                Report([&](RecordingStatus& status) {
                    status.Stop(RecordingStatus::Cause::kLock, LockLostNotice(directory_, lock_.Reason()));
                });
            }
            return false;
    }
    return false;
}

void RecordingLock::Guard(IniStore& store) {
    store.SetSaveCheck([this] { return MayWrite(); });
}

}  // namespace quorell
