#pragma once

#include <optional>
#include <string>

namespace quorell {

// The whole text of a kernel file such as /proc/stat (whose size the file system reports as 0);
// nothing when it cannot be opened or read.
std::optional<std::string> ReadProcText(const char* path);

}  // namespace quorell
