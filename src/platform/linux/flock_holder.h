#pragma once

#include <sys/types.h>

#include <optional>

namespace quorell {

// The user whose process holds a flock on the file (device, inode), as /proc/locks and /proc/<pid> tell
// it; nullopt when no holder can be seen (no /proc, or a holder outside our PID namespace).
std::optional<uid_t> FlockHolder(dev_t device, ino_t inode);

}  // namespace quorell
