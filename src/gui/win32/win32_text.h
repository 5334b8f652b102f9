#pragma once

#include <string>
#include <string_view>

namespace quorell::gui {

// The model's UTF-8 texts for the wide Win32 calls, and typed text back. A broken sequence (the model
// never holds one) shows as U+FFFD rather than losing the whole text.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace quorell::gui
