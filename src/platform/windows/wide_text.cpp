#include "platform/windows/wide_text.h"

#include <windows.h>

#include <climits>

namespace quorell {
namespace {

std::optional<std::wstring> ToWide(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    const int length = static_cast<int>(bytes.size());
    const int needed = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, wide.data(), needed) != needed) {
        return std::nullopt;
    }
    return wide;
}

std::optional<std::string> FromWide(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) {
        return std::string();
    }
    if (wide.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    const int length = static_cast<int>(wide.size());
    // UTF-8 has a form for every valid text and reports broken surrogates as errors; any other code page
    // reports a character it lacks only through the default-character flag (and takes no error flag).
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int needed = ::WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, usedDefaultOut);
    if (needed <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    if (::WideCharToMultiByte(codePage, flags, wide.data(), length, bytes.data(), needed, nullptr, usedDefaultOut) !=
            needed ||
        usedDefault) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<std::wstring> Utf8ToWide(std::string_view utf8) {
    return ToWide(CP_UTF8, utf8);
}

std::optional<std::string> WideToUtf8(std::wstring_view wide) {
    return FromWide(CP_UTF8, wide);
}

std::optional<std::wstring> CodePageToWide(unsigned codePage, std::string_view bytes) {
    return ToWide(codePage, bytes);
}

std::optional<std::string> WideToCodePage(unsigned codePage, std::wstring_view wide) {
    return FromWide(codePage, wide);
}

}  // namespace quorell
