#pragma once

#include <string>
#include <string_view>

namespace quorell {

// The process environment.
class EnvironmentPort {
public:
    virtual ~EnvironmentPort() = default;
    // The value of an environment variable; empty when it is not set.
    virtual std::string GetEnv(std::string_view name) const = 0;
};

}  // namespace quorell
