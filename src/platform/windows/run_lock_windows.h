#pragma once

#include <filesystem>
#include <string>

#include "platform/run_lock_port.h"
#include "platform/windows/unique_handle.h"

namespace quorell {

// "quorell.lock" in the run directory, held open for reading and writing with no sharing but reading:
// while it is open no other copy can open it for writing, and nobody can delete it, rename it or put
// another file in its place. LockFileEx on it as well, so that earlier versions, which shared it, also
// find it taken. The handle lasts as long as this object and ends with the process. The file gets the
// security that the folder gives the user's new files; a link or directory in its place is refused.
class WindowsRunLock final : public RunLockPort {
public:
    Outcome TryLock(const std::filesystem::path& directory) override;
    bool StillHeld() override;
    std::string Reason() const override { return reason_; }

private:
    void Refuse(const std::string& what);

    UniqueHandle file_;
    std::filesystem::path path_;
    std::string reason_;
};

}  // namespace quorell
