#include "platform/linux/gbk_private_use.h"

#include <cstddef>

namespace quorell {
namespace {

// The three user-defined areas, in the order Windows numbers them from U+E000: rows AA-AF and F8-FE
// with the trail bytes A1-FE (94 cells a row), and rows A1-A7 with the trail bytes 40-7E and 80-A0
// (96 cells a row).
struct UserArea {
    std::uint8_t firstLead, lastLead;
    bool lowTrails;  // 40-7E and 80-A0, else A1-FE
    char32_t first;
};
constexpr UserArea kUserAreas[] = {
    {0xAA, 0xAF, false, 0xE000},
    {0xF8, 0xFE, false, 0xE234},
    {0xA1, 0xA7, true, 0xE4C6},
};
constexpr int kHighTrailsPerRow = 94;
constexpr int kLowTrailsPerRow = 96;

// The cells left empty among the symbols and at the end of two rows, numbered on from U+E766 in
// byte order: lead byte, first and last trail byte of each run.
struct EmptyRun {
    std::uint8_t lead, firstTrail, lastTrail;
};
constexpr EmptyRun kEmptyRuns[] = {
    {0xA2, 0xAB, 0xB0}, {0xA2, 0xE3, 0xE4}, {0xA2, 0xEF, 0xF0}, {0xA2, 0xFD, 0xFE}, {0xA4, 0xF4, 0xFE},
    {0xA5, 0xF7, 0xFE}, {0xA6, 0xB9, 0xC0}, {0xA6, 0xD9, 0xDF}, {0xA6, 0xEC, 0xED}, {0xA6, 0xF3, 0xF3},
    {0xA6, 0xF6, 0xFE}, {0xA7, 0xC2, 0xD0}, {0xA7, 0xF2, 0xFE}, {0xA8, 0x96, 0xA0}, {0xA8, 0xBC, 0xBC},
    {0xA8, 0xBF, 0xBF}, {0xA8, 0xC1, 0xC4}, {0xA8, 0xEA, 0xFE}, {0xA9, 0x58, 0x58}, {0xA9, 0x5B, 0x5B},
    {0xA9, 0x5D, 0x5F}, {0xA9, 0x89, 0x95}, {0xA9, 0x97, 0xA3}, {0xA9, 0xF0, 0xFE}, {0xD7, 0xFA, 0xFE},
    {0xFE, 0x50, 0x7E}, {0xFE, 0x80, 0xA0},
};
constexpr char32_t kFirstEmptyCellCharacter = 0xE766;
constexpr char32_t kLastPrivateUseCharacter = 0xE864;

// The position of a trail byte within its row of an area; -1 when the area's rows do not hold it.
int TrailPosition(std::uint8_t trail, bool lowTrails) {
    if (!lowTrails) {
        return trail >= 0xA1 && trail <= 0xFE ? trail - 0xA1 : -1;
    }
    if (trail >= 0x40 && trail <= 0x7E) {
        return trail - 0x40;
    }
    return trail >= 0x80 && trail <= 0xA0 ? trail - 0x41 : -1;
}

std::uint8_t TrailAt(int position, bool lowTrails) {
    if (!lowTrails) {
        return static_cast<std::uint8_t>(0xA1 + position);
    }
    return static_cast<std::uint8_t>(position < 0x3F ? 0x40 + position : 0x41 + position);
}

}  // namespace

std::optional<char32_t> GbkPrivateUseCharacter(GbkCell cell) {
    for (const UserArea& area : kUserAreas) {
        const int position = TrailPosition(cell.trail, area.lowTrails);
        if (cell.lead >= area.firstLead && cell.lead <= area.lastLead && position >= 0) {
            const int perRow = area.lowTrails ? kLowTrailsPerRow : kHighTrailsPerRow;
            return area.first + static_cast<char32_t>((cell.lead - area.firstLead) * perRow + position);
        }
    }
    char32_t next = kFirstEmptyCellCharacter;
    for (const EmptyRun& run : kEmptyRuns) {
        if (cell.lead == run.lead && cell.trail >= run.firstTrail && cell.trail <= run.lastTrail) {
            return next + static_cast<char32_t>(cell.trail - run.firstTrail);
        }
        next += static_cast<char32_t>(run.lastTrail - run.firstTrail + 1);
    }
    return std::nullopt;
}

std::optional<GbkCell> GbkPrivateUseCell(char32_t character) {
    for (const UserArea& area : kUserAreas) {
        const int perRow = area.lowTrails ? kLowTrailsPerRow : kHighTrailsPerRow;
        const int rows = area.lastLead - area.firstLead + 1;
        if (character >= area.first && character < area.first + static_cast<char32_t>(rows * perRow)) {
            const auto offset = static_cast<int>(character - area.first);
            return GbkCell{static_cast<std::uint8_t>(area.firstLead + offset / perRow),
                           TrailAt(offset % perRow, area.lowTrails)};
        }
    }
    if (character < kFirstEmptyCellCharacter || character > kLastPrivateUseCharacter) {
        return std::nullopt;
    }
    char32_t first = kFirstEmptyCellCharacter;
    for (const EmptyRun& run : kEmptyRuns) {
        const auto length = static_cast<char32_t>(run.lastTrail - run.firstTrail + 1);
        if (character < first + length) {
            return GbkCell{run.lead, static_cast<std::uint8_t>(run.firstTrail + (character - first))};
        }
        first += length;
    }
    return std::nullopt;
}

}  // namespace quorell
