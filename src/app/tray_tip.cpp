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
    std::string full = "Velkor - Quorell\r\n";
    for (const std::string_view line : {statusLine, allowanceLine}) {
        if (!line.empty()) {
            full.append(line).append("\r\n");
        }
    }
    full += std::string("作者: ") + kMakerCredit + "\r\n" + kMakerWebHost;
    std::string tip = KeepGbkBytes(full, kTrayTipLimitBytes);
    // A cut just after a line leaves its line break, which would show as an empty last line.
    while (!tip.empty() && (tip.back() == '\r' || tip.back() == '\n')) {
        tip.pop_back();
    }
    return tip;
}

}  // namespace quorell
