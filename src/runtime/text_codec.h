#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorell {

// GBK (code page 936, the encoding of our files on disk) to and from UTF-8 (the encoding inside the
// program). Both give std::nullopt when the input is not valid in its encoding, or when a character has
// no counterpart in the other one; they never guess or substitute. Defined by the platform back end.
std::optional<std::string> GbkToUtf8(std::string_view gbk);
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

}  // namespace quorell
