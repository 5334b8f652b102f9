#pragma once

namespace quorell {

// A local calendar time in whole seconds, as the user's wall clock shows it.
struct CivilTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const CivilTime&, const CivilTime&) = default;
};

}  // namespace quorell
