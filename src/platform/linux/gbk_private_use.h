#pragma once

#include <cstdint>
#include <optional>

namespace quorell {

// Windows' code page 936 gives every cell of the GBK two-byte space a character. The cells that GBK
// leaves to the user or leaves empty become private-use characters U+E000 to U+E864, which the C
// library's GBK tables do not know. These two functions are that part of Windows' table, so that a
// file reads and writes the same on Linux as on Windows.

struct GbkCell {
    std::uint8_t lead = 0;
    std::uint8_t trail = 0;
    friend bool operator==(const GbkCell&, const GbkCell&) = default;
};

// The private-use character of a cell; nothing for a cell that holds an ordinary character (or none).
std::optional<char32_t> GbkPrivateUseCharacter(GbkCell cell);
// The cell of a private-use character; nothing for any other character.
std::optional<GbkCell> GbkPrivateUseCell(char32_t character);

}  // namespace quorell
