#include "platform/linux/autostart_linux.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <utility>

#include "platform/linux/desktop_entry.h"

namespace quorell {
namespace {

// An absolute path from the environment; relative ones are invalid there and must be ignored.
std::filesystem::path AbsoluteFromEnvironment(const char* value) {
    if (value == nullptr || value[0] != '/') {
        return {};
    }
    return value;
}

std::filesystem::path UserConfigFolder() {
    std::filesystem::path folder = AbsoluteFromEnvironment(std::getenv("XDG_CONFIG_HOME"));
    if (folder.empty()) {
        const std::filesystem::path home = AbsoluteFromEnvironment(std::getenv("HOME"));
        folder = home.empty() ? std::filesystem::path{} : home / ".config";
    }
    return folder;
}

std::vector<std::filesystem::path> SystemConfigFolders() {
    const char* value = std::getenv("XDG_CONFIG_DIRS");
    std::string list = value != nullptr && *value != '\0' ? value : "/etc/xdg";
    std::vector<std::filesystem::path> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t colon = std::min(list.find(':', start), list.size());
        const std::filesystem::path folder = AbsoluteFromEnvironment(list.substr(start, colon - start).c_str());
        if (!folder.empty()) {
            folders.push_back(folder);
        }
        start = colon + 1;
    }
    return folders;
}

}  // namespace

AutostartFolders SessionAutostartFolders() {
    AutostartFolders folders;
    const std::filesystem::path user = UserConfigFolder();
    if (!user.empty()) {
        folders.user = user / "autostart";
    }
    for (const std::filesystem::path& system : SystemConfigFolders()) {
        folders.system.push_back(system / "autostart");
    }
    return folders;
}

std::filesystem::path RunningProgram() {
    std::error_code ec;
    std::string program = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    // The kernel marks an executable replaced on disk since the start (an upgrade): the new file at
    // the old name is the program a later session should start.
    constexpr std::string_view kReplaced = " (deleted)";
    if (program.ends_with(kReplaced) && !std::filesystem::exists(program, ec)) {
        program.resize(program.size() - kReplaced.size());
    }
    return program;
}

LinuxAutostart::LinuxAutostart(AutostartFolders folders, std::filesystem::path program,
                               std::unique_ptr<FileAccess> files)
    : folders_(std::move(folders)), program_(std::move(program)), files_(std::move(files)) {}

bool LinuxAutostart::StartsWithSession() {
    // The session uses the first entry of the name it finds, the user's before the system-wide ones.
    std::vector<std::filesystem::path> candidates;
    if (!folders_.user.empty()) {
        candidates.push_back(UserEntry());
    }
    for (const std::filesystem::path& folder : folders_.system) {
        candidates.push_back(folder / kAutostartEntryName);
    }
    for (const std::filesystem::path& entry : candidates) {
        const FileSnapshot snapshot = files_->Read(entry);
        if (snapshot.status == FileReadStatus::kMissing) {
            continue;
        }
        if (snapshot.status == FileReadStatus::kFailed) {
            return false;
        }
        const DesktopEntryFacts facts = ReadDesktopEntry(snapshot.bytes);
        return !facts.hidden && !facts.autostartDisabled && facts.execProgram && StartsThisProgram(*facts.execProgram);
    }
    return false;
}

bool LinuxAutostart::StartsThisProgram(const std::string& execProgram) const {
    const std::filesystem::path path(execProgram);
    if (!path.is_absolute() || program_.empty()) {
        return false;  // a name looked up in PATH, or nothing: not provably this program
    }
    std::error_code ec;
    return path == program_ || std::filesystem::equivalent(path, program_, ec);
}

bool LinuxAutostart::SystemEntryExists() const {
    std::error_code ec;
    for (const std::filesystem::path& folder : folders_.system) {
        if (std::filesystem::symlink_status(folder / kAutostartEntryName, ec).type() !=
            std::filesystem::file_type::not_found) {
            return true;
        }
    }
    return false;
}

bool LinuxAutostart::MakeUserFolder() {
    // Each missing folder of the path is made private to the user, as the base directories should be.
    std::filesystem::path made;
    for (const std::filesystem::path& part : folders_.user) {
        made /= part;
        if (::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) {
            return Fail(made, std::strerror(errno));
        }
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(folders_.user, ec)) {
        return Fail(folders_.user, "is not a folder");
    }
    return true;
}

bool LinuxAutostart::SetStartsWithSession(bool on) {
    reason_.clear();
    if (folders_.user.empty()) {
        return Fail(kAutostartEntryName, "has no folder: neither XDG_CONFIG_HOME nor HOME is set");
    }
    const std::filesystem::path entry = UserEntry();
    if (on || SystemEntryExists()) {
        if (!MakeUserFolder()) {
            return false;
        }
        const std::string text = on ? AutostartEntryText(program_.string()) : HiddenEntryText();
        return files_->Replace(entry, text) || Fail(entry, files_->LastFailure());
    }
    if (::unlink(entry.c_str()) != 0 && errno != ENOENT) {
        return Fail(entry, std::strerror(errno));
    }
    return true;
}

bool LinuxAutostart::Fail(const std::filesystem::path& file, const std::string& why) {
    reason_ = file.string() + ": " + (why.empty() ? "cannot be written" : why);
    return false;
}

}  // namespace quorell
