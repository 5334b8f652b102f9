#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/autostart_port.h"
#include "runtime/file_access.h"

namespace quorell {

inline constexpr const char* kAutostartEntryName = "quorell.desktop";

// Where a session looks for autostart entries: the user's folder first, then the system-wide ones in
// order of preference. The first entry of a name found wins.
struct AutostartFolders {
    std::filesystem::path user;
    std::vector<std::filesystem::path> system;
};

// The folders of the XDG base directories: $XDG_CONFIG_HOME/autostart (else $HOME/.config/autostart) and
// each of $XDG_CONFIG_DIRS (else /etc/xdg) with /autostart. Relative paths in them are ignored.
AutostartFolders SessionAutostartFolders();

// The running executable (/proc/self/exe), without the mark of a file replaced since it started.
std::filesystem::path RunningProgram();

// The XDG autostart entry "quorell.desktop". Turning it on writes the user's entry (the folder made when
// missing, the file replaced atomically); turning it off removes the user's entry, or hides a system-wide
// entry of the same name with a user entry saying Hidden=true.
class LinuxAutostart final : public AutostartPort {
public:
    LinuxAutostart(AutostartFolders folders, std::filesystem::path program, std::unique_ptr<FileAccess> files);

    bool StartsWithSession() override;
    bool SetStartsWithSession(bool on) override;
    std::string Reason() const override { return reason_; }

private:
    std::filesystem::path UserEntry() const { return folders_.user / kAutostartEntryName; }
    bool SystemEntryExists() const;
    bool StartsThisProgram(const std::string& execProgram) const;
    bool MakeUserFolder();
    bool Fail(const std::filesystem::path& file, const std::string& why);

    AutostartFolders folders_;
    std::filesystem::path program_;
    std::unique_ptr<FileAccess> files_;
    std::string reason_;
};

}  // namespace quorell
