// Prints every section and key of an INI file as Windows' own private-profile calls read it, for the
// desktop checks of the Windows program: "[section]" lines, then "key=value" lines, in UTF-8.
// Usage: quorell_profile_dump FILE   (run in the simplified-Chinese code page, as the files are GBK)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kBufferBytes = 1 << 16;

std::string AnsiToUtf8(const std::string& ansi) {
    if (ansi.empty()) {
        return {};
    }
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), wideLength);
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

// A list of names separated by NULs and ended by two, as the profile calls return sections and keys.
std::vector<std::string> NameList(const char* section, const char* file) {
    std::vector<char> buffer(kBufferBytes);
    const DWORD length = ::GetPrivateProfileStringA(section, nullptr, "", buffer.data(), kBufferBytes, file);
    std::vector<std::string> names;
    for (DWORD at = 0; at < length;) {
        std::string name(buffer.data() + at);
        at += static_cast<DWORD>(name.size()) + 1;
        if (!name.empty()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: quorell_profile_dump FILE\n", stderr);
        return 2;
    }
    // The profile calls look for a bare name in the Windows folder; a full path reads the file itself.
    char full[MAX_PATH];
    if (::GetFullPathNameA(argv[1], MAX_PATH, full, nullptr) == 0 ||
        ::GetFileAttributesA(full) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "quorell_profile_dump: no file %s\n", argv[1]);
        return 1;
    }
    std::vector<char> value(kBufferBytes);
    for (const std::string& section : NameList(nullptr, full)) {
        std::printf("[%s]\n", AnsiToUtf8(section).c_str());
        for (const std::string& key : NameList(section.c_str(), full)) {
            ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value.data(), kBufferBytes, full);
            std::printf("%s=%s\n", AnsiToUtf8(key).c_str(), AnsiToUtf8(value.data()).c_str());
        }
    }
    return 0;
}
