#pragma once

#include "platform/environment_port.h"

namespace quorell {

// The process environment, read through the wide calls so that names and values keep every character.
class WindowsEnvironment final : public EnvironmentPort {
public:
    std::string GetEnv(std::string_view name) const override;
};

// The value of an environment variable as UTF-16; empty when it is not set.
std::wstring WideEnvironmentValue(const wchar_t* name);

}  // namespace quorell
