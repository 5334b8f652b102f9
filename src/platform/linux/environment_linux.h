#pragma once

#include "platform/environment_port.h"

namespace quorell {

class LinuxEnvironment final : public EnvironmentPort {
public:
    std::string GetEnv(std::string_view name) const override;
};

}  // namespace quorell
