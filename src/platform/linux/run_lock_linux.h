#pragma once

#include <filesystem>
#include <string>

#include "platform/linux/unique_fd.h"
#include "platform/run_lock_port.h"

namespace quorell {

// flock on "quorell.lock" in the run directory. The lock belongs to the open file, so it lasts as long
// as this object and ends with the process.
//
// The file is made with mode 0600 and opened without following a link, so no other user can open it and
// hold its lock. A file that another user owns, or holds locked (opened while an earlier version left it
// open to others), is replaced when the run directory is ours (that user has nothing to lock there); in
// a folder of someone else it is left alone and the lock is unavailable. A file deleted or replaced between the open and the lock is opened again, so the lock
// taken is always on the file that the name then leads to.
class LinuxRunLock final : public RunLockPort {
public:
    Outcome TryLock(const std::filesystem::path& directory) override;
    bool StillHeld() override;
    std::string Reason() const override { return reason_; }

private:
    // Opens the lock file at file_ (making it when missing); an invalid descriptor when it cannot be
    // used, with reason_ set, or when it was a file of another user that was just removed (`retry`).
    UniqueFd Open(const std::filesystem::path& directory, bool& retry);
    // Removes a lock file that another user owns or holds (`whose` says which) from a run directory that
    // is ours; sets `retry` when it is gone, else reason_.
    void RemoveForeign(const std::filesystem::path& directory, const std::string& whose, bool& retry);
    // Whether `fd` is the file that file_ names now.
    bool Named(int fd) const;

    UniqueFd fd_;
    std::filesystem::path file_;
    std::string reason_;
};

}  // namespace quorell
