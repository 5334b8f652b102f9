#include "platform/windows/environment_windows.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

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

std::string WindowsEnvironment::GetEnv(std::string_view name) const {
    const auto wideName = Utf8ToWide(name);
    if (!wideName || wideName->empty() || wideName->find(L'\0') != std::wstring::npos) {
        return {};
    }
    return WideToUtf8(WideEnvironmentValue(wideName->c_str())).value_or(std::string());
}

}  // namespace quorell
