#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/unique_fd.h"

namespace quorell {

// A kernel text file such as /proc/stat (whose size the file system reports as 0), read whole again
// and again. The file stays open between reads: reading from its start makes the kernel produce the
// text afresh, and the program saves the path lookup of opening it every second.
class ProcTextFile {
public:
    explicit ProcTextFile(std::string path) : path_(std::move(path)) {}

    // The whole current text, valid until the next read; nothing when it cannot be opened or read.
    std::optional<std::string_view> Read();

private:
    bool ReadOpenFile();

    std::string path_;
    UniqueFd file_;
    std::string text_;
};

}  // namespace quorell
