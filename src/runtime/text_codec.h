#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorell {

// GBK (code page 936, the encoding of our files on disk) to and from UTF-8 (the encoding inside the
// program). Both give std::nullopt when the input is not valid in its encoding, or when a character has
// no counterpart in the other one; they never guess or substitute. Each platform back end provides one
// (its conversion tables are the system's), and the INI store is given it.
class GbkCodec {
public:
    virtual ~GbkCodec() = default;
    virtual std::optional<std::string> GbkToUtf8(std::string_view gbk) const = 0;
    virtual std::optional<std::string> Utf8ToGbk(std::string_view utf8) const = 0;
};

}  // namespace quorell
