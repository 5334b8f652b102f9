#pragma once

#include <string>

namespace quorell {

// The value of an environment variable as UTF-16, read through the wide calls so that it keeps every
// character; empty when it is not set.
std::wstring WideEnvironmentValue(const wchar_t* name);

}  // namespace quorell
