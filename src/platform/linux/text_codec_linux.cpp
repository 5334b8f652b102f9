#include <errno.h>
#include <iconv.h>

#include <cstdint>

#include "platform/linux/gbk_private_use.h"
#include "platform/system_files.h"

namespace quorell {
namespace {

// One iconv conversion, opened once per thread and kept: opening costs far more than converting a
// short name, and a descriptor must not be shared between threads.
class IconvConverter {
public:
    IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;
    ~IconvConverter() {
        if (Usable())
            iconv_close(cd_);
    }

    std::optional<std::string> Convert(std::string_view input) {
        if (!Usable())
            return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        std::string output(input.size() * 2 + 8, '\0');
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        while (inLeft > 0) {
            if (iconv(cd_, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1))
                break;
            if (errno != E2BIG)
                return std::nullopt;  // invalid or incomplete input
            const std::size_t used = output.size() - outLeft;
            output.resize(output.size() * 2);
            out = output.data() + used;
            outLeft = output.size() - used;
        }
        output.resize(output.size() - outLeft);
        return output;
    }

private:
    bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::uint8_t Byte(char c) {
    return static_cast<std::uint8_t>(c);
}

bool IsLeadByte(std::uint8_t byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
}

// The length of the UTF-8 sequence that starts with this byte; 1 for a byte that starts none (the
// conversion then refuses it).
std::size_t Utf8Length(std::uint8_t lead) {
    if (lead >= 0xF0) {
        return 4;
    }
    if (lead >= 0xE0) {
        return 3;
    }
    return lead >= 0xC0 ? 2 : 1;
}

// The character of a well-formed three-byte sequence; nothing for anything else.
std::optional<char32_t> ThreeByteCharacter(std::string_view sequence) {
    if (sequence.size() != 3 || (Byte(sequence[0]) & 0xF0) != 0xE0 || (Byte(sequence[1]) & 0xC0) != 0x80 ||
        (Byte(sequence[2]) & 0xC0) != 0x80) {
        return std::nullopt;
    }
    return static_cast<char32_t>(((Byte(sequence[0]) & 0x0F) << 12) | ((Byte(sequence[1]) & 0x3F) << 6) |
                                 (Byte(sequence[2]) & 0x3F));
}

// Character by character, with Windows' private-use cells beside the C library's table.
std::optional<std::string> GbkToUtf8ByCharacter(std::string_view gbk, IconvConverter& converter) {
    std::string out;
    out.reserve(gbk.size() * 2);
    while (!gbk.empty()) {
        const std::uint8_t lead = Byte(gbk[0]);
        const std::size_t length = IsLeadByte(lead) ? 2 : 1;
        if (gbk.size() < length) {
            return std::nullopt;
        }
        if (length == 1 && lead < 0x80) {
            out += gbk[0];
        } else if (const auto own = length == 2 ? GbkPrivateUseCharacter({lead, Byte(gbk[1])}) : std::nullopt) {
            AppendUtf8(out, *own);
        } else if (auto converted = converter.Convert(gbk.substr(0, length))) {
            out += *converted;
        } else {
            return std::nullopt;
        }
        gbk.remove_prefix(length);
    }
    return out;
}

std::optional<std::string> Utf8ToGbkByCharacter(std::string_view utf8, IconvConverter& converter) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const std::string_view sequence = utf8.substr(0, Utf8Length(Byte(utf8[0])));
        const auto character = ThreeByteCharacter(sequence);
        if (sequence.size() == 1 && Byte(sequence[0]) < 0x80) {
            out += sequence[0];
        } else if (const auto cell = character ? GbkPrivateUseCell(*character) : std::nullopt) {
            out += static_cast<char>(cell->lead);
            out += static_cast<char>(cell->trail);
        } else if (auto converted = converter.Convert(sequence)) {
            out += *converted;
        } else {
            return std::nullopt;
        }
        utf8.remove_prefix(sequence.size());
    }
    return out;
}

// ASCII is the same in both encodings, and most names and all numbers are ASCII. The C library's table
// converts nearly every text at once; only a text that it refuses is looked at character by character.
class IconvGbkCodec final : public GbkCodec {
public:
    std::optional<std::string> GbkToUtf8(std::string_view gbk) const override {
        if (IsAscii(gbk)) {
            return std::string(gbk);
        }
        thread_local IconvConverter converter("UTF-8", "CP936");
        if (auto whole = converter.Convert(gbk)) {
            return whole;
        }
        return GbkToUtf8ByCharacter(gbk, converter);
    }

    std::optional<std::string> Utf8ToGbk(std::string_view utf8) const override {
        if (IsAscii(utf8)) {
            return std::string(utf8);
        }
        thread_local IconvConverter converter("CP936", "UTF-8");
        if (auto whole = converter.Convert(utf8)) {
            return whole;
        }
        return Utf8ToGbkByCharacter(utf8, converter);
    }
};

}  // namespace

std::unique_ptr<GbkCodec> MakeSystemGbkCodec() {
    return std::make_unique<IconvGbkCodec>();
}

}  // namespace quorell
