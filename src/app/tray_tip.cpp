#include "app/tray_tip.h"

#include "app/layouts/layouts.h"
#include "runtime/text_codec.h"

namespace quorell {

namespace {

// The length of the UTF-8 sequence that starts with `lead`; 1 for a stray byte, so bad input moves on.
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

std::size_t GbkLength(std::string_view character) {
    if (character.size() == 1) {
        return 1;
    }
    if (auto gbk = Utf8ToGbk(character)) {
        return gbk->size();
    }
    return character.size() == 4 ? 4 : 2;
}

}  // namespace

std::string KeepGbkBytes(std::string_view utf8, std::size_t limit) {
    std::size_t used = 0;
    std::size_t end = 0;
    while (end < utf8.size()) {
        std::size_t length = SequenceLength(static_cast<unsigned char>(utf8[end]));
        if (end + length > utf8.size()) {
            length = utf8.size() - end;
        }
        const std::size_t cost = GbkLength(utf8.substr(end, length));
        if (used + cost > limit) {
            break;
        }
        used += cost;
        end += length;
    }
    return std::string(utf8.substr(0, end));
}

std::string TrayTipText() {
    const std::string full = std::string("Velkor - Quorell\r\n") + "作者: " + kMakerCredit + "\r\n" + kMakerWebHost;
    return KeepGbkBytes(full, kTrayTipLimitBytes);
}

}  // namespace quorell
