#include "platform/windows/run_lock_windows.h"

#include <windows.h>

namespace quorell {

RunLockPort::Outcome WindowsRunLock::TryLock(const std::filesystem::path& directory) {
    const std::filesystem::path file = directory / kRunLockFileName;
    // Others may open it (the next copy must reach LockFileEx to learn that it is taken).
    UniqueHandle handle(::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.Valid()) {
        reason_ = "cannot open the lock file (error " + std::to_string(::GetLastError()) + ")";
        return Outcome::kUnavailable;
    }
    OVERLAPPED whole{};
    if (!::LockFileEx(handle.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) {
            return Outcome::kHeldByAnother;
        }
        reason_ = "cannot lock the lock file (error " + std::to_string(error) + ")";
        return Outcome::kUnavailable;
    }
    file_ = std::move(handle);
    return Outcome::kHeld;
}

}  // namespace quorell
