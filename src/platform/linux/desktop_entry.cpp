#include "platform/linux/desktop_entry.h"

namespace quorell {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The escapes of every string value: \s, \n, \t, \r and \\. Any other backslash stays for the Exec
// key's own quoting rule, which is applied afterwards.
std::string UnescapedString(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (const char next = value[++i]) {
            case 's': text += ' '; break;
            case 'n': text += '\n'; break;
            case 't': text += '\t'; break;
            case 'r': text += '\r'; break;
            case '\\': text += '\\'; break;
            default:
                text += '\\';
                text += next;
        }
    }
    return text;
}

std::string EscapedString(std::string_view text) {
    std::string value;
    for (const char c : text) {
        switch (c) {
            case '\\': value += "\\\\"; break;
            case '\n': value += "\\n"; break;
            case '\t': value += "\\t"; break;
            case '\r': value += "\\r"; break;
            default: value += c;
        }
    }
    return value;
}

// "%%" is a literal percent sign in every argument.
std::string LiteralPercents(std::string_view argument) {
    std::string text;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        text += argument[i];
        if (argument[i] == '%' && i + 1 < argument.size() && argument[i + 1] == '%') {
            ++i;
        }
    }
    return text;
}

// The first argument of an Exec command line whose string escapes are already undone.
std::string FirstArgument(std::string_view command) {
    command = Trimmed(command);
    std::string argument;
    if (!command.empty() && command.front() == '"') {
        for (std::size_t i = 1; i < command.size() && command[i] != '"'; ++i) {
            if (command[i] == '\\' && i + 1 < command.size()) {
                ++i;
            }
            argument += command[i];
        }
    } else {
        argument = command.substr(0, command.find_first_of(kBlanks));
    }
    return LiteralPercents(argument);
}

}  // namespace

DesktopEntryFacts ReadDesktopEntry(std::string_view text) {
    DesktopEntryFacts facts;
    bool inMainGroup = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        line = Trimmed(line);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = Trimmed(line.substr(0, equals));
        const std::string_view value = Trimmed(line.substr(equals + 1));
        if (key == "Exec") {
            facts.execProgram = FirstArgument(UnescapedString(value));
        } else if (key == "Hidden") {
            facts.hidden = value == "true";
        } else if (key == "X-GNOME-Autostart-enabled") {
            facts.autostartDisabled = value == "false";
        }
    }
    return facts;
}

std::string ExecValueFor(std::string_view program) {
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    const bool quoted = program.find_first_of(kReserved) != std::string_view::npos;
    std::string argument = quoted ? "\"" : "";
    for (const char c : program) {
        if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            argument += '\\';
        }
        argument += c;
        if (c == '%') {
            argument += '%';
        }
    }
    if (quoted) {
        argument += '"';
    }
    return EscapedString(argument);
}

std::string AutostartEntryText(std::string_view program) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Quorell\n"
           "Name[zh_CN]=Quorell 资源监控器\n"
           "Comment=CPU, memory and network monitor\n"
           "Comment[zh_CN]=监控 CPU、内存和网络流量\n"
           "Exec=" + ExecValueFor(program) + "\n"
           "Icon=quorell\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::string HiddenEntryText() {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Quorell\n"
           "Hidden=true\n";
}

}  // namespace quorell
