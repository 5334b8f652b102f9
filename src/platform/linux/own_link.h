#pragma once

#include <sys/stat.h>

#include <string>
#include <variant>

namespace quorell {

// A data file may be a symbolic link, for instance to keep the history on another disk. Such a link is
// followed only when it and the file it leads to belong to the user the program runs as and that file
// is a regular file that the link names directly: a link planted by someone else, or one to another
// user's file, to a directory, a device, a further link or nothing at all, is neither read nor written.
// The link is followed by the kernel (calls on the link's own path), never resolved by hand, so the
// kernel's rules for links in shared directories still apply. Nothing is opened while checking, so a
// link to a device or a FIFO is refused without being touched.

// A link that may be followed: the status of the file it leads to, and where that file lives (the link's
// text, taken from the link's directory when it is relative), for a replacement beside it.
struct OwnLink {
    struct stat target {};
    std::string targetPath;
};

// Why a link is not followed, in words that follow the file's name in a message.
struct RefusedLink {
    std::string reason;
};

// `link` is a path whose own status (lstat) is `linkStatus`, a symbolic link.
std::variant<OwnLink, RefusedLink> CheckOwnLink(const std::string& link, const struct stat& linkStatus);

}  // namespace quorell
