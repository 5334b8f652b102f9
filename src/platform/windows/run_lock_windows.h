#pragma once

#include <string>

#include "platform/run_lock_port.h"
#include "platform/windows/unique_handle.h"

namespace quorell {

// LockFileEx on "quorell.lock" in the run directory. The lock belongs to the open handle, so it lasts as
// long as this object and ends with the process.
class WindowsRunLock final : public RunLockPort {
public:
    Outcome TryLock(const std::filesystem::path& directory) override;
    std::string Reason() const override { return reason_; }

private:
    UniqueHandle file_;
    std::string reason_;
};

}  // namespace quorell
