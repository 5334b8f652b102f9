#include "platform/system_files.h"
#include "platform/windows/wide_text.h"

namespace quorell {
namespace {

// The simplified-Chinese ANSI code page of Windows: GBK with Windows' own additions (the euro sign at
// 0x80, the user-defined areas as private-use characters).
constexpr unsigned kGbkCodePage = 936;

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// ASCII is the same in both encodings, and most names and all numbers are ASCII.
class CodePageGbkCodec final : public GbkCodec {
public:
    std::optional<std::string> GbkToUtf8(std::string_view gbk) const override {
        if (IsAscii(gbk)) {
            return std::string(gbk);
        }
        const auto wide = CodePageToWide(kGbkCodePage, gbk);
        return wide ? WideToUtf8(*wide) : std::nullopt;
    }

    std::optional<std::string> Utf8ToGbk(std::string_view utf8) const override {
        if (IsAscii(utf8)) {
            return std::string(utf8);
        }
        const auto wide = Utf8ToWide(utf8);
        auto gbk = wide ? WideToCodePage(kGbkCodePage, *wide) : std::nullopt;
        // Windows writes U+F8F5 as the byte FF, which no GBK text holds and which Windows does not read back.
        if (gbk && gbk->find('\xFF') != std::string::npos) {
            return std::nullopt;
        }
        return gbk;
    }
};

}  // namespace

std::unique_ptr<GbkCodec> MakeSystemGbkCodec() {
    return std::make_unique<CodePageGbkCodec>();
}

}  // namespace quorell
