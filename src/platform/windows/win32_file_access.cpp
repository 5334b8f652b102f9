#include "platform/windows/win32_file_access.h"

#include <windows.h>
#include <winternl.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "platform/system_files.h"
#include "platform/windows/unique_handle.h"

namespace quorell {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// FILETIME counts 100 ns steps since 1601-01-01; the identities count nanoseconds since 1970-01-01.
constexpr std::int64_t kFileTimeAt1970 = 116444736000000000;
// ReadFile and WriteFile take 32-bit lengths.
constexpr std::size_t kChunkBytes = 1u << 20;

std::int64_t FileTimeNs(std::int64_t fileTime) {
    return (fileTime - kFileTimeAt1970) * 100;
}

std::int64_t WallClockNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY;
}

// Another process has the file open in a way that excludes us for now (a scanner, an indexer, a backup).
bool IsSharingConflict(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// The identity of an open regular file; nothing for directories, devices and pipes. Asked of the file
// alone: GetFileInformationByHandle would also ask for the volume's serial number, which costs a trip
// to the volume manager and identifies nothing that the file index and the times do not. The device
// stays 0: a path that comes to lead to another volume's file is as good as impossible.
std::optional<FileIdentity> IdentityOf(HANDLE file) {
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    FILE_INTERNAL_INFORMATION internal{};
    IO_STATUS_BLOCK status{};
    if (::GetFileType(file) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) ||
        !::GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard) || standard.Directory ||
        !NT_SUCCESS(::NtQueryInformationFile(file, &status, &internal, sizeof internal, FileInternalInformation))) {
        return std::nullopt;
    }
    FileIdentity identity;
    identity.inode = static_cast<std::uint64_t>(internal.IndexNumber.QuadPart);
    identity.size = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
    identity.modifiedNs = FileTimeNs(basic.LastWriteTime.QuadPart);
    // The change time also moves when the file is renamed or its attributes change.
    identity.changedNs = FileTimeNs(basic.ChangeTime.QuadPart);
    return identity;
}

bool ReadAll(HANDLE file, std::string& bytes, std::size_t expected) {
    bytes.clear();
    bytes.resize(expected + 1);  // one more, to notice a file that grew while it was read
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > kMaxIniFileBytes) {
                return false;
            }
            bytes.resize(bytes.size() * 2);
        }
        const std::size_t room = std::min(bytes.size() - filled, kChunkBytes);
        DWORD got = 0;
        if (!::ReadFile(file, bytes.data() + filled, static_cast<DWORD>(room), &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            break;
        }
        filled += got;
    }
    bytes.resize(filled);
    return filled <= kMaxIniFileBytes;
}

// The file a replacement must take the place of: the target of a symbolic link, so that the link stays
// a link. Empty when the link leads nowhere.
std::filesystem::path ReplacementTarget(const std::filesystem::path& file) {
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return file;
    }
    UniqueHandle target(
        ::CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!target.Valid()) {
        return {};
    }
    std::wstring name(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = ::GetFinalPathNameByHandleW(target.Get(), name.data(), static_cast<DWORD>(name.size()),
                                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(length);  // the size needed, the terminating NUL included
    }
    return {};
}

}  // namespace

Win32WriteCalls Win32WriteCalls::System() {
    return Win32WriteCalls{
        [](void* file, const void* data, std::uint32_t size, std::uint32_t& written) -> std::uint32_t {
            DWORD done = 0;
            const BOOL ok = ::WriteFile(file, data, size, &done, nullptr);
            written = done;
            return ok ? 0 : ::GetLastError();
        },
        [](void* file) -> std::uint32_t { return ::FlushFileBuffers(file) ? 0 : ::GetLastError(); },
        [](const wchar_t* from, const wchar_t* to) -> std::uint32_t {
            return ::MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : ::GetLastError();
        },
        [](std::uint32_t milliseconds) { ::Sleep(milliseconds); },
    };
}

Win32FileAccess::Win32FileAccess(Win32WriteCalls calls)
    : calls_(std::move(calls)), tempNames_(std::random_device{}()) {}

FileSnapshot Win32FileAccess::Read(const std::filesystem::path& file) {
    FileSnapshot snapshot;
    const std::int64_t startedNs = WallClockNs();
    UniqueHandle handle;
    for (std::size_t attempt = 0;; ++attempt) {
        handle = UniqueHandle(::CreateFileW(file.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (handle.Valid()) {
            break;
        }
        const DWORD error = ::GetLastError();
        if (IsMissing(error)) {
            snapshot.status = FileReadStatus::kMissing;
            return snapshot;
        }
        // Access is denied outright to a folder; only a file can be held open by another process.
        if (error != ERROR_SHARING_VIOLATION || attempt == std::size(kRetryWaitsMs)) {
            snapshot.status = FileReadStatus::kFailed;
            return snapshot;
        }
        calls_.sleep(kRetryWaitsMs[attempt]);
    }
    const std::optional<FileIdentity> identity = IdentityOf(handle.Get());
    if (!identity || identity->size > kMaxIniFileBytes ||
        !ReadAll(handle.Get(), snapshot.bytes, static_cast<std::size_t>(identity->size))) {
        snapshot.bytes.clear();
        snapshot.status = FileReadStatus::kFailed;
        return snapshot;
    }
    snapshot.status = FileReadStatus::kRead;
    snapshot.identity = *identity;
    const std::int64_t newest = std::max(identity->modifiedNs, identity->changedNs);
    // A file that changed size while it was read will not match its identity: it is read again next time.
    snapshot.settled = snapshot.bytes.size() == identity->size && startedNs - newest >= kFileSettleNs;
    return snapshot;
}

std::optional<FileIdentity> Win32FileAccess::Identify(const std::filesystem::path& file) {
    // Reading attributes is allowed while others hold the file open, whatever they share.
    UniqueHandle handle(
        ::CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!handle.Valid()) {
        return std::nullopt;
    }
    return IdentityOf(handle.Get());
}

bool Win32FileAccess::Replace(const std::filesystem::path& file, std::string_view bytes) {
    const std::filesystem::path target = ReplacementTarget(file);
    if (target.empty()) {
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    // A move would replace a file marked read-only; it is left as it is, as a write in place would have to.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }

    // A new name in the same folder, so that the move stays within one volume.
    std::filesystem::path directory = target.parent_path();
    if (directory.empty()) {
        directory = L".";
    }
    std::filesystem::path temp;
    UniqueHandle handle;
    for (int attempt = 0; attempt < 16 && !handle.Valid(); ++attempt) {
        wchar_t name[40];
        std::swprintf(name, std::size(name), L".quorell-%016llx.tmp", static_cast<unsigned long long>(tempNames_()));
        temp = directory / name;
        handle = UniqueHandle(
            ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!handle.Valid() && ::GetLastError() != ERROR_FILE_EXISTS) {
            return false;
        }
    }
    if (!handle.Valid()) {
        return false;
    }

    bool ok = true;
    std::size_t written = 0;
    while (ok && written < bytes.size()) {
        const auto chunk = static_cast<std::uint32_t>(std::min(bytes.size() - written, kChunkBytes));
        std::uint32_t done = 0;
        ok = calls_.write(handle.Get(), bytes.data() + written, chunk, done) == 0 && done > 0;
        written += done;
    }
    if (ok) {
        ok = calls_.flush(handle.Get()) == 0;
    }
    if (!handle.Close()) {
        ok = false;
    }
    for (std::size_t attempt = 0; ok; ++attempt) {
        const std::uint32_t error = calls_.move(temp.c_str(), target.c_str());
        if (error == 0) {
            return true;
        }
        if (!IsSharingConflict(error) || attempt == std::size(kRetryWaitsMs)) {
            ok = false;
        } else {
            calls_.sleep(kRetryWaitsMs[attempt]);
        }
    }
    ::DeleteFileW(temp.c_str());
    return false;
}

std::unique_ptr<FileAccess> MakeSystemFileAccess() {
    return std::make_unique<Win32FileAccess>();
}

}  // namespace quorell
