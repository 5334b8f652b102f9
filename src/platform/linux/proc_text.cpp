#include "platform/linux/proc_text.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux/unique_fd.h"

namespace quorell {

namespace {
constexpr std::size_t kChunk = 16384;
constexpr std::size_t kLimit = 16u << 20;  // no kernel text we read comes near this
}  // namespace

std::optional<std::string> ReadProcText(const char* path) {
    const UniqueFd file(::open(path, O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) {
        return std::nullopt;
    }
    std::string text;
    while (text.size() < kLimit) {
        const std::size_t used = text.size();
        text.resize(used + kChunk);
        const ssize_t got = ::read(file.Get(), text.data() + used, kChunk);
        if (got < 0 && errno == EINTR) {
            text.resize(used);
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        text.resize(used + static_cast<std::size_t>(got));
        if (got == 0) {
            break;
        }
    }
    return text;
}

}  // namespace quorell
