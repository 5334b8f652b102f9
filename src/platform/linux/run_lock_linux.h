#pragma once

#include <string>

#include "platform/linux/unique_fd.h"
#include "platform/run_lock_port.h"

namespace quorell {

// flock on "quorell.lock" in the run directory. The lock belongs to the open file, so it lasts as long
// as this object and ends with the process.
class LinuxRunLock final : public RunLockPort {
public:
    Outcome TryLock(const std::filesystem::path& directory) override;
    std::string Reason() const override { return reason_; }

private:
    UniqueFd fd_;
    std::string reason_;
};

}  // namespace quorell
