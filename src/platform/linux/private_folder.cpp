#include "platform/linux/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace quorell {

bool IsPrivateFolder(const std::filesystem::path& folder) {
    struct stat status {};
    return !folder.empty() && ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & 07777) == 0700;
}

std::optional<std::filesystem::path> PrivateSocketFolder(const std::filesystem::path& runtimeFolder,
                                                         const std::filesystem::path& sharedBase) {
    if (runtimeFolder.is_absolute() && IsPrivateFolder(runtimeFolder)) {
        return runtimeFolder;
    }
    if (!sharedBase.is_absolute()) {
        return std::nullopt;
    }
    const std::filesystem::path folder = sharedBase / ("quorell-" + std::to_string(::geteuid()));
    struct stat status {};
    if (::lstat(folder.c_str(), &status) == 0) {
        if (status.st_uid != ::geteuid()) {
            return std::nullopt;  // another user's: never used, and it cannot be removed from a shared base
        }
        if (S_ISDIR(status.st_mode) && !S_ISLNK(status.st_mode)) {
            ::chmod(folder.c_str(), 0700);
        } else {
            ::unlink(folder.c_str());
        }
    }
    if (::mkdir(folder.c_str(), 0700) == 0) {
        ::chmod(folder.c_str(), 0700);  // whatever the umask took away
    } else if (errno != EEXIST) {
        return std::nullopt;
    }
    // Checked afresh: what is there now must be ours and private, however it came to be.
    if (!IsPrivateFolder(folder)) {
        return std::nullopt;
    }
    return folder;
}

}  // namespace quorell
