#include "platform/linux/proc_text.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace quorell {

namespace {
constexpr std::size_t kChunk = 16384;
constexpr std::size_t kLimit = 16u << 20;  // no kernel text we read comes near this
}  // namespace

std::optional<std::string_view> ProcTextFile::Read() {
    // A file kept open may have failed for good (an error of the file system); it is opened anew once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!file_.Valid()) {
            file_ = UniqueFd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
            if (!file_.Valid()) {
                return std::nullopt;
            }
        }
        if (ReadOpenFile()) {
            return std::string_view(text_);
        }
        file_.Close();
    }
    return std::nullopt;
}

bool ProcTextFile::ReadOpenFile() {
    text_.clear();
    while (text_.size() < kLimit) {
        const std::size_t used = text_.size();
        text_.resize(used + kChunk);
        const ssize_t got = ::pread(file_.Get(), text_.data() + used, kChunk, static_cast<off_t>(used));
        if (got < 0 && errno == EINTR) {
            text_.resize(used);
            continue;
        }
        if (got < 0) {
            return false;
        }
        text_.resize(used + static_cast<std::size_t>(got));
        if (got == 0) {
            break;
        }
    }
    return true;
}

}  // namespace quorell
