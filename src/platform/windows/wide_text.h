#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorell {

// UTF-8 (the program's texts) to and from UTF-16 (the Win32 wide calls). Nothing when the input is
// not valid in its encoding (an unpaired surrogate, a broken UTF-8 sequence).
std::optional<std::wstring> Utf8ToWide(std::string_view utf8);
std::optional<std::string> WideToUtf8(std::wstring_view wide);

// Text in a Windows code page to and from UTF-16, refusing anything the code page does not define:
// no default character and no best-fit substitute is ever produced.
std::optional<std::wstring> CodePageToWide(unsigned codePage, std::string_view bytes);
std::optional<std::string> WideToCodePage(unsigned codePage, std::wstring_view wide);

}  // namespace quorell
