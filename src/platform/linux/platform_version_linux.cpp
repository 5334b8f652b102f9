#include "platform/linux/platform_version_linux.h"

#include <sys/utsname.h>

#include <charconv>

namespace quorell {

namespace {

// The leading decimal of `text`, moving past it and one following dot; 0 when there is none.
int TakeNumber(std::string_view& text) {
    int value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) {
        return 0;
    }
    text.remove_prefix(static_cast<std::size_t>(stop - text.data()));
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
    }
    return value;
}

}  // namespace

PlatformVersion LinuxVersionFromRelease(std::string_view release) {
    PlatformVersion version;
    version.family = PlatformFamily::Linux;
    version.major = TakeNumber(release);
    version.minor = TakeNumber(release);
    return version;
}

PlatformVersion LinuxPlatformVersion::ReadPlatformVersion() const {
    utsname names{};
    if (::uname(&names) != 0) {
        return LinuxVersionFromRelease({});
    }
    return LinuxVersionFromRelease(names.release);
}

}  // namespace quorell
