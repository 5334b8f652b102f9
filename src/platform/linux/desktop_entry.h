#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorell {

// The few facts of a desktop entry that decide whether a session starts a program with it.
struct DesktopEntryFacts {
    // The program of the Exec key (its first argument, unquoted and unescaped); nothing without one.
    std::optional<std::string> execProgram;
    bool hidden = false;             // Hidden=true: the entry counts as deleted
    bool autostartDisabled = false;  // X-GNOME-Autostart-enabled=false: that session skips it
};

// Reads the [Desktop Entry] group of a desktop entry file; keys of other groups and localised keys are
// not looked at.
DesktopEntryFacts ReadDesktopEntry(std::string_view text);

// The Exec value that runs `program` with no arguments: quoted when it holds a reserved character, with
// `"`, `` ` ``, `$` and `\` escaped inside the quotes, `%` written as `%%`, then escaped as any string value
// (so a backslash in the path is written as four).
std::string ExecValueFor(std::string_view program);

// A whole autostart entry that starts `program` at login.
std::string AutostartEntryText(std::string_view program);

// The same entry turned off: a session that finds it starts nothing of that name, not even a
// system-wide entry of the same name.
std::string HiddenEntryText();

}  // namespace quorell
