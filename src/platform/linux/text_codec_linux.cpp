#include <errno.h>
#include <iconv.h>

#include "runtime/text_codec.h"

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

}  // namespace

// ASCII is the same in both encodings, and most names and all numbers are ASCII.
std::optional<std::string> GbkToUtf8(std::string_view gbk) {
    if (IsAscii(gbk))
        return std::string(gbk);
    thread_local IconvConverter converter("UTF-8", "CP936");
    return converter.Convert(gbk);
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    if (IsAscii(utf8))
        return std::string(utf8);
    thread_local IconvConverter converter("CP936", "UTF-8");
    return converter.Convert(utf8);
}

}  // namespace quorell
