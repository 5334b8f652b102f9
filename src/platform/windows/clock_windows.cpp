#include "platform/windows/clock_windows.h"

#include <windows.h>

namespace quorell {

CivilTime WindowsClock::LocalNow() const {
    SYSTEMTIME local{};
    ::GetLocalTime(&local);
    return CivilTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace quorell
