#include "platform/linux/flock_holder.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace quorell {

std::optional<uid_t> FlockHolder(dev_t device, ino_t inode) {
    // Lines such as "2: FLOCK  ADVISORY  WRITE 1609 fe:00:10953436 0 EOF"; a waiter's has "->" after the
    // number and is skipped.
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        std::istringstream fields(line);
        std::string number, kind, strength, access, file;
        long pid = 0;
        if (!(fields >> number >> kind >> strength >> access >> pid >> file) || kind != "FLOCK" || pid <= 0) {
            continue;
        }
        unsigned major = 0;
        unsigned minor = 0;
        unsigned long long lockedInode = 0;
        if (std::sscanf(file.c_str(), "%x:%x:%llu", &major, &minor, &lockedInode) != 3 ||
            major != ::major(device) || minor != ::minor(device) || lockedInode != inode) {
            continue;
        }
        struct stat process {};
        if (::stat(("/proc/" + std::to_string(pid)).c_str(), &process) == 0) {
            return process.st_uid;
        }
    }
    return std::nullopt;
}

}  // namespace quorell
