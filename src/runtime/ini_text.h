#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/text_codec.h"
#include "runtime/utf8.h"

namespace quorell {

// How the names and values of one INI file are stored: GBK, or UTF-8 when the file starts with a UTF-8
// byte-order mark.
enum class IniEncoding { kGbk, kUtf8 };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The blanks that are trimmed around names and values inside a file.
bool IsIniBlank(char c);
std::string_view TrimIniBlanks(std::string_view text);

// Drops leading bytes 1..32 (controls and the space), as the read call does with its arguments.
std::string_view SkipLeadingControls(std::string_view text);

// Texts end at their first NUL byte, as C strings do.
std::string_view CutAtNul(std::string_view text);

// Drops one pair of matching quotes ("..." or '...') around a value.
std::string_view StripQuotes(std::string_view value);

// Names are compared without regard to ASCII case. In GBK the second byte of a double-byte character
// may look like an ASCII letter, so such pairs are compared exactly.
bool SameIniName(std::string_view a, std::string_view b, IniEncoding encoding);

// UTF-8 text to the file's encoding; nullopt when it is not valid UTF-8 or has no GBK form.
std::optional<std::string> EncodeIniText(std::string_view utf8, IniEncoding encoding, const GbkCodec& gbk);

// File bytes to UTF-8. Any bytes are accepted: whatever is not valid in the encoding becomes U+FFFD,
// one per byte, so the result is always valid UTF-8.
std::string DecodeIniText(std::string_view bytes, IniEncoding encoding, const GbkCodec& gbk);

}  // namespace quorell
