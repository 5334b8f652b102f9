#pragma once

#include <filesystem>

#include "platform/run_directory_port.h"

namespace quorell {

// The executable's folder when this user may create files in it; otherwise %LOCALAPPDATA%\Quorell,
// which is created on first use.
class WindowsRunDirectory final : public RunDirectoryPort {
public:
    WindowsRunDirectory();
    // For tests: decide from explicit inputs instead of the process.
    WindowsRunDirectory(std::filesystem::path executableDirectory, std::filesystem::path localAppData);
    std::filesystem::path RunDirectory() const override { return directory_; }

private:
    std::filesystem::path directory_;
};

// The running executable; empty when the system cannot tell.
std::filesystem::path ExecutablePath();

// The folder that holds the running executable.
std::filesystem::path ExecutableDirectory();

}  // namespace quorell
