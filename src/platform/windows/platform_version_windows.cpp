#include "platform/windows/platform_version_windows.h"

#include <windows.h>

// Exported by ntdll; the headers declare it only for drivers.
extern "C" NTSYSAPI LONG NTAPI RtlGetVersion(PRTL_OSVERSIONINFOW versionInformation);

namespace quorell {

PlatformVersion WindowsPlatformVersion::ReadPlatformVersion() const {
    PlatformVersion version;
    version.family = PlatformFamily::Windows;
    RTL_OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (::RtlGetVersion(&info) == 0) {
        version.major = static_cast<int>(info.dwMajorVersion);
        version.minor = static_cast<int>(info.dwMinorVersion);
    }
    return version;
}

}  // namespace quorell
