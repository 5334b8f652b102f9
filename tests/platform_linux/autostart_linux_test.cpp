#include "platform/linux/autostart_linux.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>

#include "platform/linux/desktop_entry.h"
#include "platform/system_files.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

LinuxAutostart Autostart(const fs::path& user, const fs::path& system, const fs::path& program) {
    return LinuxAutostart(AutostartFolders{user, {system}}, program, MakeSystemFileAccess());
}

std::string ExecLine(const std::string& entry) {
    const std::size_t start = entry.find("\nExec=");
    return start == std::string::npos ? "" : entry.substr(start + 1, entry.find('\n', start + 1) - start - 1);
}

TEST(LinuxAutostart, EntryMadeInANewPrivateFolderQuotedReadBackAndRemoved) {
    testing::TempDir dir;
    const fs::path user = dir.Path() / "config home" / "autostart";  // neither folder exists yet
    const fs::path program = "/opt/Q Apps/quorell 50%\"$`\\1";
    LinuxAutostart autostart = Autostart(user, dir.Path() / "xdg" / "autostart", program);
    EXPECT_FALSE(autostart.StartsWithSession());

    ASSERT_TRUE(autostart.SetStartsWithSession(true)) << autostart.Reason();
    const std::string entry = ReadFileBytes(user / "quorell.desktop");
    // Quoted for the space; the quote, dollar, backquote and backslash escaped inside the quotes, the
    // percent doubled, then every backslash doubled again as in any string value.
    EXPECT_EQ(ExecLine(entry), R"(Exec="/opt/Q Apps/quorell 50%%\\"\\$\\`\\\\1")");
    EXPECT_EQ(ReadDesktopEntry(entry).execProgram, program.string());
    EXPECT_TRUE(autostart.StartsWithSession());
    struct stat made {};
    ASSERT_EQ(::stat(user.c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 0777, 0700u);
    // Written through a temporary file that took the entry's place: nothing else is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(user), fs::directory_iterator()), 1);

    // Another copy of the program, or the same entry hidden or turned off by the session, is not ours.
    EXPECT_FALSE(Autostart(user, dir.Path(), "/opt/Q Apps/quorell").StartsWithSession());
    for (const char* extra : {"Hidden=true\n", "X-GNOME-Autostart-enabled=false\n"}) {
        WriteFileBytes(user / "quorell.desktop", entry + extra);
        EXPECT_FALSE(autostart.StartsWithSession()) << extra;
    }
    // An entry written by hand with arguments and blanks around the equals sign still starts this one.
    WriteFileBytes(user / "quorell.desktop", "[Desktop Entry]\nExec = /usr/bin/quorell --quiet\n[Other]\nHidden=true\n");
    EXPECT_TRUE(Autostart(user, dir.Path(), "/usr/bin/quorell").StartsWithSession());

    ASSERT_TRUE(autostart.SetStartsWithSession(false)) << autostart.Reason();
    EXPECT_FALSE(fs::exists(user / "quorell.desktop"));
    EXPECT_TRUE(autostart.SetStartsWithSession(false));  // nothing left to remove is no failure
}

TEST(LinuxAutostart, ASystemWideEntryIsHiddenByTheUsersAndAFolderInTheWayIsNamed) {
    testing::TempDir dir;
    const fs::path user = dir.Path() / "user";
    const fs::path system = dir.Path() / "system";
    fs::create_directories(system);
    WriteFileBytes(system / "quorell.desktop", "[Desktop Entry]\nType=Application\nExec=/usr/bin/quorell\n");
    LinuxAutostart autostart = Autostart(user, system, "/usr/bin/quorell");
    EXPECT_TRUE(autostart.StartsWithSession());

    ASSERT_TRUE(autostart.SetStartsWithSession(false)) << autostart.Reason();
    EXPECT_TRUE(ReadDesktopEntry(ReadFileBytes(user / "quorell.desktop")).hidden);
    EXPECT_FALSE(autostart.StartsWithSession());
    EXPECT_TRUE(fs::exists(system / "quorell.desktop"));
    ASSERT_TRUE(autostart.SetStartsWithSession(true)) << autostart.Reason();
    EXPECT_TRUE(autostart.StartsWithSession());

    // A file where the user's folder should be: the failure names it and changes nothing.
    WriteFileBytes(dir.Path() / "blocked", "");
    LinuxAutostart blocked = Autostart(dir.Path() / "blocked" / "autostart", system, "/usr/bin/quorell");
    EXPECT_FALSE(blocked.SetStartsWithSession(true));
    EXPECT_NE(blocked.Reason().find("blocked"), std::string::npos) << blocked.Reason();
}

TEST(LinuxAutostart, FoldersFollowTheBaseDirectoryVariablesAndIgnoreRelativeOnes) {
    const auto saved = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    };
    const auto restore = [](const char* name, const std::optional<std::string>& value) {
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    };
    const std::optional<std::string> configHome = saved("XDG_CONFIG_HOME");
    const std::optional<std::string> configDirs = saved("XDG_CONFIG_DIRS");
    const std::optional<std::string> home = saved("HOME");

    ::setenv("XDG_CONFIG_HOME", "/c/home", 1);
    ::setenv("XDG_CONFIG_DIRS", "relative:/a::/b", 1);
    AutostartFolders folders = SessionAutostartFolders();
    EXPECT_EQ(folders.user, "/c/home/autostart");
    EXPECT_EQ(folders.system, (std::vector<fs::path>{"/a/autostart", "/b/autostart"}));

    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    ::setenv("HOME", "/h", 1);
    ::unsetenv("XDG_CONFIG_DIRS");
    folders = SessionAutostartFolders();
    EXPECT_EQ(folders.user, "/h/.config/autostart");
    EXPECT_EQ(folders.system, std::vector<fs::path>{"/etc/xdg/autostart"});

    restore("XDG_CONFIG_HOME", configHome);
    restore("XDG_CONFIG_DIRS", configDirs);
    restore("HOME", home);
}

}  // namespace
}  // namespace quorell
