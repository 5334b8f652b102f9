#pragma once

#include <filesystem>

namespace quorell {

// Where the settings and history files live: the executable's directory when it may be written,
// otherwise the per-user data directory of the platform.
class RunDirectoryPort {
public:
    virtual ~RunDirectoryPort() = default;
    virtual std::filesystem::path RunDirectory() const = 0;
};

}  // namespace quorell
