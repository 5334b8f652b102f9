#include "platform/windows/autostart_windows.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cstdio>
#include <system_error>
#include <utility>

#include "platform/windows/wide_text.h"

namespace quorell {
namespace {

using Microsoft::WRL::ComPtr;

// The calling thread in a single-threaded COM apartment while the object lives. A thread that is in a
// multithreaded apartment already keeps it: the shell's link object works there too.
class ComApartment {
public:
    ComApartment() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

std::string ErrorCode(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

bool SameProgram(const std::filesystem::path& a, const std::filesystem::path& b) {
    if (::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL) {
        return true;
    }
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

}  // namespace

std::filesystem::path UserStartupFolder() {
    PWSTR folder = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &folder);
    std::filesystem::path path;
    if (SUCCEEDED(result) && folder != nullptr) {
        path = folder;
    }
    ::CoTaskMemFree(folder);
    return path;
}

std::optional<std::filesystem::path> ShortcutTarget(const std::filesystem::path& shortcut) {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) ||
        FAILED(link.As(&file)) || FAILED(file->Load(shortcut.c_str(), STGM_READ))) {
        return std::nullopt;
    }
    wchar_t target[MAX_PATH] = {};
    if (link->GetPath(target, MAX_PATH, nullptr, 0) != S_OK || target[0] == L'\0') {
        return std::nullopt;
    }
    return std::filesystem::path(target);
}

WindowsAutostart::WindowsAutostart(std::filesystem::path startupFolder, std::filesystem::path program)
    : folder_(std::move(startupFolder)), program_(std::move(program)) {}

bool WindowsAutostart::StartsWithSession() {
    std::error_code ec;
    if (folder_.empty() || program_.empty() || !std::filesystem::is_regular_file(Shortcut(), ec)) {
        return false;
    }
    const ComApartment com;
    if (!com.Usable()) {
        return false;
    }
    const std::optional<std::filesystem::path> target = ShortcutTarget(Shortcut());
    return target && SameProgram(*target, program_);
}

bool WindowsAutostart::SetStartsWithSession(bool on) {
    reason_.clear();
    if (folder_.empty()) {
        return Fail("has no folder: the Startup folder is unknown");
    }
    const std::filesystem::path shortcut = Shortcut();
    if (!on) {
        if (!::DeleteFileW(shortcut.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
            return Fail("cannot be deleted (error " + std::to_string(::GetLastError()) + ")");
        }
        return true;
    }
    if (program_.empty()) {
        return Fail("cannot be made: the program's own path is unknown");
    }
    const ComApartment com;
    if (!com.Usable()) {
        return Fail("cannot be made: COM is unavailable (" + ErrorCode(com.Result()) + ")");
    }
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link));
    if (SUCCEEDED(result)) {
        result = link->SetPath(program_.c_str());
    }
    if (SUCCEEDED(result)) {
        result = link->SetWorkingDirectory(program_.parent_path().c_str());
    }
    if (SUCCEEDED(result)) {
        result = link->SetIconLocation(program_.c_str(), 0);
    }
    if (SUCCEEDED(result)) {
        result = link.As(&file);
    }
    if (SUCCEEDED(result)) {
        result = file->Save(shortcut.c_str(), TRUE);
    }
    if (FAILED(result)) {
        return Fail("cannot be saved (error " + ErrorCode(result) + ")");
    }
    return true;
}

bool WindowsAutostart::Fail(const std::string& why) {
    reason_ = WideToUtf8((folder_ / kStartupShortcutName).native()).value_or("Quorell.lnk") + " " + why;
    return false;
}

}  // namespace quorell
