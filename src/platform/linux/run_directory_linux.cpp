#include "platform/linux/run_directory_linux.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <utility>

namespace quorell {
namespace {

bool IsWritableDirectory(const std::filesystem::path& dir) {
    std::error_code ec;
    return !dir.empty() && std::filesystem::is_directory(dir, ec) && ::access(dir.c_str(), W_OK) == 0;
}

std::filesystem::path PerUserDataDirectory(const std::string& xdgDataHome, const std::string& home) {
    // An XDG_DATA_HOME that is not absolute is invalid and must be ignored.
    std::filesystem::path base;
    if (!xdgDataHome.empty() && xdgDataHome.front() == '/') {
        base = xdgDataHome;
    } else if (!home.empty()) {
        base = std::filesystem::path(home) / ".local" / "share";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    return base / "quorell";
}

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::filesystem::path ExecutableDirectory() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return std::filesystem::current_path(ec);
    }
    return exe.parent_path();
}

LinuxRunDirectory::LinuxRunDirectory()
    : LinuxRunDirectory(ExecutableDirectory(), EnvOrEmpty("XDG_DATA_HOME"), EnvOrEmpty("HOME")) {}

LinuxRunDirectory::LinuxRunDirectory(std::filesystem::path executableDirectory, std::string xdgDataHome,
                                     std::string home) {
    if (IsWritableDirectory(executableDirectory)) {
        directory_ = std::move(executableDirectory);
        return;
    }
    directory_ = PerUserDataDirectory(xdgDataHome, home);
    std::error_code ec;
    std::filesystem::create_directories(directory_, ec);
}

}  // namespace quorell
