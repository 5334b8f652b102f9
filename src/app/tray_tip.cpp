#include "app/tray_tip.h"

#include "app/layouts/layouts.h"
#include "runtime/utf8.h"

namespace quorell {

namespace {

// What a character takes in GBK, known from its UTF-8 length alone: ASCII and a bad byte take one byte,
// every other character of the basic plane two (GBK's double-byte form; one without a GBK form counts the
// same), one beyond the basic plane four. The euro sign, one byte in Windows' code page 936, counts two:
// that only ever keeps the tip shorter.
std::size_t GbkLength(std::string_view character, bool valid) {
    if (!valid || character.size() == 1) {
        return 1;
    }
    return character.size() == 4 ? 4 : 2;
}

}  // namespace

std::string KeepGbkBytes(std::string_view utf8, std::size_t limit) {
    std::size_t used = 0;
    std::size_t end = 0;
    for (const Utf8Character& c : Utf8Characters(utf8)) {
        const std::size_t cost = GbkLength(utf8.substr(c.offset, c.length), c.valid);
        if (used + cost > limit) {
            break;
        }
        used += cost;
        end = c.offset + c.length;
    }
    return std::string(utf8.substr(0, end));
}

std::string TrayTipText(std::string_view statusLine, std::string_view allowanceLine) {
    const auto fits = [](const std::string& text) { return KeepGbkBytes(text, kTrayTipLimitBytes) == text; };
    std::string tip = "Velkor - Quorell";
    // What the user must know now may be cut at a character when it does not fit whole; our credit and
    // address come only whole, so the tip never ends in a stump of a line.
    for (const std::string_view line : {statusLine, allowanceLine}) {
        if (line.empty()) {
            continue;
        }
        const std::string longer = tip + "\r\n" + std::string(line);
        if (!fits(longer)) {
            return KeepGbkBytes(longer, kTrayTipLimitBytes);
        }
        tip = longer;
    }
    for (const std::string& line : {std::string("作者: ") + kMakerCredit, std::string(kMakerWebHost)}) {
        const std::string longer = tip + "\r\n" + line;
        if (!fits(longer)) {
            break;
        }
        tip = longer;
    }
    return tip;
}

}  // namespace quorell
