#include "platform/linux/own_link.h"

#include <errno.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace quorell {
namespace {

std::string DirectoryOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : file.substr(0, slash);
}

RefusedLink Refused(const char* reason) {
    return RefusedLink{reason};
}

// The link's text as a path from here; empty when it cannot be read or changed since it was looked at
// (a text longer than the link's size).
std::string TargetPath(const std::string& link, const struct stat& linkStatus) {
    std::vector<char> text(static_cast<std::size_t>(linkStatus.st_size) + 2);
    const ssize_t length = ::readlink(link.c_str(), text.data(), text.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= text.size()) {
        return {};
    }
    std::string path(text.data(), static_cast<std::size_t>(length));
    return path.front() == '/' ? path : DirectoryOf(link) + "/" + path;
}

}  // namespace

std::variant<OwnLink, RefusedLink> CheckOwnLink(const std::string& link, const struct stat& linkStatus) {
    const uid_t self = ::geteuid();
    if (linkStatus.st_uid != self) {
        return Refused("is a symbolic link that belongs to another user");
    }
    OwnLink own;
    if (::stat(link.c_str(), &own.target) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return Refused("is a symbolic link to nothing");
        }
        return RefusedLink{std::string("is a symbolic link that cannot be followed: ") + std::strerror(errno)};
    }
    if (S_ISDIR(own.target.st_mode)) {
        return Refused("is a symbolic link to a directory");
    }
    if (!S_ISREG(own.target.st_mode)) {
        return Refused("is a symbolic link to something that is not a regular file");
    }
    if (own.target.st_uid != self) {
        return Refused("is a symbolic link to a file of another user");
    }
    // The file a replacement takes the place of must be the one the kernel reached: the link's own text
    // must name it, not a further link (whose owner nobody has looked at).
    own.targetPath = TargetPath(link, linkStatus);
    struct stat atPath {};
    if (own.targetPath.empty() || ::lstat(own.targetPath.c_str(), &atPath) != 0 || !S_ISREG(atPath.st_mode) ||
        atPath.st_dev != own.target.st_dev || atPath.st_ino != own.target.st_ino) {
        return Refused("is a symbolic link to another link");
    }
    return own;
}

}  // namespace quorell
