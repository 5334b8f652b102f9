#!/usr/bin/env bash
# Checks that every #include points down the layers of the house, so the core stays free of toolkit and
# OS code and the layers can be built and tested on their own. Prints each violation; fails on any.
set -euo pipefail
cd "$(dirname "$0")/../src"

failures=0
fail() {
    echo "$1" >&2
    failures=$((failures + 1))
}

# project_includes <folder>: "file:line:included/path" for every quoted project include below folder.
project_includes() {
    grep -rn --include='*.h' --include='*.cpp' -E '^#include "[a-z_]+/' "$1" |
        sed -E 's/^([^:]+:[0-9]+):#include "([^"]+)".*/\1:\2/'
}

# allow <folder> <allowed top-level folders...>: the folder's files include only from those folders.
allow() {
    local folder=$1
    shift
    local pattern="" entry
    for entry in "$@"; do
        # A plain folder name allows the folder; anything else is a pattern for single headers.
        if [[ $entry =~ ^[a-z0-9_/]+$ ]]; then pattern+="$entry/|"; else pattern+="$entry\$|"; fi
    done
    pattern="^(${pattern%|})"
    while IFS= read -r hit; do
        local target=${hit##*:}
        [[ $target =~ $pattern ]] || fail "$hit: $folder may not include $target"
    done < <(project_includes "$folder")
}

# The port interfaces (platform/*.h) are the floor beside runtime; the back ends live in platform/<os>.
allow runtime runtime
allow ui_model ui_model runtime
allow sampling sampling runtime 'platform/[a-z_]+\.h'
allow history history runtime
allow monitors monitors sampling history ui_model runtime 'platform/[a-z_]+\.h'
allow trend trend sampling history ui_model runtime
allow app app monitors trend history sampling ui_model runtime 'platform/[a-z_]+\.h'
allow gui/qt gui/qt app ui_model 'platform/[a-z_]+\.h'
allow gui/win32 gui/win32 app ui_model 'platform/[a-z_]+\.h'
for header in platform/*.h; do
    while IFS= read -r hit; do
        target=${hit##*:}
        [[ $target =~ ^(runtime/|platform/[a-z_]+\.h) ]] || fail "$header: a port may not include $target"
    done < <(grep -n -E '^#include "[a-z_]+/' "$header" | sed -E "s|^([0-9]+):#include \"([^\"]+)\".*|$header:\1:\2|")
done

# No toolkit below the front end, no OS header outside the back ends.
while IFS= read -r hit; do fail "$hit: Qt outside gui/"; done < <(
    grep -rn --include='*.h' --include='*.cpp' -E '^#include <Q' . | grep -v '^\./gui/' || true)
os_headers='unistd|fcntl|poll|signal|dirent|pwd|grp|dlfcn|ifaddrs|netdb|termios|sys/[a-z_]+|linux/[a-z_]+|net/[a-z_]+|netinet/[a-z_]+|arpa/[a-z_]+|windows|winsock2|ws2tcpip|iphlpapi|winternl|shellapi|shlobj|commctrl|io|direct'
while IFS= read -r hit; do fail "$hit: OS header outside platform/<os>/"; done < <(
    grep -rn --include='*.h' --include='*.cpp' -E "^#include <($os_headers)\.h>" . |
        grep -v -E '^\./platform/(linux|windows)/' | grep -v -E '^\./gui/win32/' || true)

# The program's entry knows no OS: it asks the platform for its ports.
for entry in gui/*/main.cpp; do
    [[ -f $entry ]] || continue
    if grep -n -i -E 'linux|posix' "$entry" >/dev/null; then fail "$entry names an OS"; fi
done

if ((failures > 0)); then
    echo "$failures include(s) against the layers" >&2
    exit 1
fi
echo "layers: every include points down"
