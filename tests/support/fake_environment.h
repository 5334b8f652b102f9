#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/environment_port.h"

namespace quorell {

// An environment whose variables a test sets; an unset variable reads as empty text.
class FakeEnvironment final : public EnvironmentPort {
public:
    std::string GetEnv(std::string_view name) const override {
        const auto found = variables.find(std::string(name));
        return found == variables.end() ? std::string() : found->second;
    }

    std::map<std::string, std::string> variables;
};

}  // namespace quorell
