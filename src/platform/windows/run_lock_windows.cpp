#include "platform/windows/run_lock_windows.h"

#include <windows.h>

#include <optional>

#include "platform/windows/wide_text.h"

namespace quorell {
namespace {

// Opened as the file itself: a link or junction in its place is looked at, never followed.
constexpr DWORD kOwnFileFlags = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;

std::optional<BY_HANDLE_FILE_INFORMATION> InformationOf(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle, &information)) {
        return std::nullopt;
    }
    return information;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

}  // namespace

void WindowsRunLock::Refuse(const std::string& what) {
    reason_ = WideToUtf8(path_.native()).value_or(kRunLockFileName) + " " + what;
}

RunLockPort::Outcome WindowsRunLock::TryLock(const std::filesystem::path& directory) {
    file_ = UniqueHandle();
    path_ = directory / kRunLockFileName;
    reason_.clear();
    // A directory in its place is opened too (backup semantics), so that it is named as one below.
    UniqueHandle handle(::CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | kOwnFileFlags, nullptr));
    if (!handle.Valid()) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
            return Outcome::kHeldByAnother;
        }
        const DWORD attributes = ::GetFileAttributesW(path_.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            Refuse("is a directory");
        } else {
            Refuse("cannot be opened (error " + std::to_string(error) + ")");
        }
        return Outcome::kUnavailable;
    }
    const std::optional<BY_HANDLE_FILE_INFORMATION> information = InformationOf(handle.Get());
    if (!information || ::GetFileType(handle.Get()) != FILE_TYPE_DISK) {
        Refuse("is not a file");
        return Outcome::kUnavailable;
    }
    if ((information->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        Refuse("is a link");
        return Outcome::kUnavailable;
    }
    if ((information->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        Refuse("is a directory");
        return Outcome::kUnavailable;
    }
    OVERLAPPED whole{};
    if (!::LockFileEx(handle.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) {
            return Outcome::kHeldByAnother;
        }
        Refuse("cannot be locked (error " + std::to_string(error) + ")");
        return Outcome::kUnavailable;
    }
    file_ = std::move(handle);
    return Outcome::kHeld;
}

bool WindowsRunLock::StillHeld() {
    if (!file_.Valid()) {
        return false;
    }
    // Reading its attributes is allowed whatever the sharing of the held handle.
    const UniqueHandle named(::CreateFileW(path_.c_str(), FILE_READ_ATTRIBUTES,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, kOwnFileFlags, nullptr));
    if (!named.Valid()) {
        return false;
    }
    const std::optional<BY_HANDLE_FILE_INFORMATION> held = InformationOf(file_.Get());
    const std::optional<BY_HANDLE_FILE_INFORMATION> current = InformationOf(named.Get());
    return held && current && SameFile(*held, *current);
}

}  // namespace quorell
