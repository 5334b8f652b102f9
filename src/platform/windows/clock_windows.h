#pragma once

#include "platform/clock_port.h"

namespace quorell {

// The local wall clock of this machine, in the time zone Windows is set to.
class WindowsClock final : public ClockPort {
public:
    CivilTime LocalNow() const override;
};

}  // namespace quorell
