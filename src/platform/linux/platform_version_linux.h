#pragma once

#include <string_view>

#include "platform/counter_ports.h"

namespace quorell {

// The running kernel's version, as the Linux family.
class LinuxPlatformVersion final : public PlatformVersionPort {
public:
    PlatformVersion ReadPlatformVersion() const override;
};

// "6.1.0-18-amd64" gives Linux 6.1; a text without numbers gives Linux 0.0.
PlatformVersion LinuxVersionFromRelease(std::string_view release);

}  // namespace quorell
