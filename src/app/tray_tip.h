#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorell {

// The tray keeps at most this many bytes of its tip, counted in the GBK encoding.
inline constexpr std::size_t kTrayTipLimitBytes = 62;

// The longest start of `utf8` whose GBK encoding takes at most `limit` bytes; a character is never cut.
// Characters without a GBK form count as two bytes (four beyond the basic plane).
std::string KeepGbkBytes(std::string_view utf8, std::size_t limit);

// The tray icon's tip: the program's name, `statusLine` when there is one (what the user must know now),
// `allowanceLine` when there is one (the period's traffic against the allowance), our credit line and our
// web address, one per line, already cut to what the tray keeps.
std::string TrayTipText(std::string_view statusLine = {}, std::string_view allowanceLine = {});

}  // namespace quorell
