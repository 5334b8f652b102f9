// Prints where a shell shortcut leads and its working directory, as the shell's own link object reads
// them, one per line in UTF-8, for the desktop checks of the Windows program. Exit code 1 when the file
// cannot be read as a shortcut.
// Usage: quorell_shortcut_dump FILE.lnk
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* wide) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr || count != 2) {
        std::fputs("usage: quorell_shortcut_dump FILE.lnk\n", stderr);
        return 2;
    }
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 1;
    }
    int code = 1;
    {
        Microsoft::WRL::ComPtr<IShellLinkW> link;
        Microsoft::WRL::ComPtr<IPersistFile> file;
        wchar_t target[MAX_PATH] = {};
        wchar_t folder[MAX_PATH] = {};
        if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
            SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(arguments[1], STGM_READ)) &&
            link->GetPath(target, MAX_PATH, nullptr, 0) == S_OK &&
            SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH))) {
            std::printf("%s\n%s\n", Utf8(target).c_str(), Utf8(folder).c_str());
            code = 0;
        } else {
            std::fputs("not a shortcut that leads to a file\n", stderr);
        }
    }
    ::CoUninitialize();
    ::LocalFree(arguments);
    return code;
}
