#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/autostart_port.h"

namespace quorell {

inline constexpr const wchar_t* kStartupShortcutName = L"Quorell.lnk";

// The user's Startup folder (the known folder of the programs started at logon); empty when unknown.
std::filesystem::path UserStartupFolder();

// The file a shell shortcut leads to, read through the shell's own link object; nothing when the file is
// no shortcut or leads nowhere. COM must be initialised on the calling thread.
std::optional<std::filesystem::path> ShortcutTarget(const std::filesystem::path& shortcut);

// Starting with the session through a shortcut "Quorell.lnk" in the user's Startup folder that leads to
// the running executable, with its folder as working directory. No registry key and no administrator
// right are involved. Each call initialises COM (single-threaded apartment) on its thread for its
// duration; calls come on the user-interface thread.
class WindowsAutostart final : public AutostartPort {
public:
    WindowsAutostart(std::filesystem::path startupFolder, std::filesystem::path program);

    bool StartsWithSession() override;
    bool SetStartsWithSession(bool on) override;
    std::string Reason() const override { return reason_; }

private:
    std::filesystem::path Shortcut() const { return folder_ / kStartupShortcutName; }
    bool Fail(const std::string& why);

    std::filesystem::path folder_;
    std::filesystem::path program_;
    std::string reason_;
};

}  // namespace quorell
