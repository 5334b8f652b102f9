#pragma once

#include <filesystem>
#include <string>

#include "platform/run_directory_port.h"

namespace quorell {

// The executable's directory when this user may write it; otherwise $XDG_DATA_HOME/quorell, or
// ~/.local/share/quorell, which is created on first use.
class LinuxRunDirectory final : public RunDirectoryPort {
public:
    LinuxRunDirectory();
    // For tests: decide from explicit inputs instead of the process.
    LinuxRunDirectory(std::filesystem::path executableDirectory, std::string xdgDataHome, std::string home);
    std::filesystem::path RunDirectory() const override { return directory_; }

private:
    std::filesystem::path directory_;
};

// The directory that holds the running executable.
std::filesystem::path ExecutableDirectory();

}  // namespace quorell
