#include "platform/linux/environment_linux.h"

#include <cstdlib>

namespace quorell {

std::string LinuxEnvironment::GetEnv(std::string_view name) const {
    const char* value = std::getenv(std::string(name).c_str());
    return value ? std::string(value) : std::string();
}

}  // namespace quorell
