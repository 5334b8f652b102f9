#pragma once

#include "runtime/civil_time.h"

namespace quorell {

// The local clock. Every handler takes the time from here, so a test can run a year of ticks in a second.
class ClockPort {
public:
    virtual ~ClockPort() = default;
    virtual CivilTime LocalNow() const = 0;
};

}  // namespace quorell
