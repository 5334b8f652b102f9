#pragma once

#include "platform/counter_ports.h"

namespace quorell {

// The version of Windows that runs, as the kernel reports it (RtlGetVersion). GetVersionEx would
// answer with what the executable's manifest claims to support instead.
class WindowsPlatformVersion final : public PlatformVersionPort {
public:
    PlatformVersion ReadPlatformVersion() const override;
};

}  // namespace quorell
