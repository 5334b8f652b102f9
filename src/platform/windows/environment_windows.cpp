#include "platform/windows/environment_windows.h"

#include <windows.h>

namespace quorell {

std::wstring WideEnvironmentValue(const wchar_t* name) {
    std::wstring value(64, L'\0');
    // The variable may grow between the two calls (another thread); ask again with the new size.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD length = ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) {
            return {};
        }
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);  // the size needed, the terminating NUL included
    }
    return {};
}

}  // namespace quorell
