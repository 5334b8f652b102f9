#include "platform/windows/run_directory_windows.h"

#include <windows.h>

#include <string>
#include <system_error>
#include <utility>

#include "platform/windows/environment_windows.h"
#include "platform/windows/unique_handle.h"

namespace quorell {
namespace {

// Access rights on Windows are lists of rules that only the file system evaluates, so the folder is
// asked directly: a file is created in it and goes away again when its handle is closed.
bool MayCreateFilesIn(const std::filesystem::path& dir) {
    std::error_code ec;
    if (dir.empty() || !std::filesystem::is_directory(dir, ec)) {
        return false;
    }
    const std::filesystem::path probe = dir / (L".quorell-probe-" + std::to_wstring(::GetCurrentProcessId()));
    UniqueHandle file(::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                                    nullptr));
    return file.Valid();
}

std::filesystem::path LocalAppDataFolder() {
    std::wstring local = WideEnvironmentValue(L"LOCALAPPDATA");
    if (!local.empty()) {
        return local;
    }
    const std::wstring profile = WideEnvironmentValue(L"USERPROFILE");
    if (!profile.empty()) {
        return std::filesystem::path(profile) / L"AppData" / L"Local";
    }
    std::error_code ec;
    return std::filesystem::temp_directory_path(ec);
}

}  // namespace

std::filesystem::path ExecutablePath() {
    std::wstring name(MAX_PATH, L'\0');
    // A path longer than the buffer is cut short and fills it; then try again with more room.
    while (name.size() <= 32768) {
        const DWORD length = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            break;
        }
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
    return {};
}

std::filesystem::path ExecutableDirectory() {
    const std::filesystem::path program = ExecutablePath();
    if (!program.empty()) {
        return program.parent_path();
    }
    std::error_code ec;
    return std::filesystem::current_path(ec);
}

WindowsRunDirectory::WindowsRunDirectory() : WindowsRunDirectory(ExecutableDirectory(), LocalAppDataFolder()) {}

WindowsRunDirectory::WindowsRunDirectory(std::filesystem::path executableDirectory,
                                         std::filesystem::path localAppData) {
    if (MayCreateFilesIn(executableDirectory)) {
        directory_ = std::move(executableDirectory);
        return;
    }
    directory_ = std::move(localAppData) / L"Quorell";
    std::error_code ec;
    std::filesystem::create_directories(directory_, ec);
}

}  // namespace quorell
