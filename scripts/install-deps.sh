#!/usr/bin/env bash
# Installs the Debian packages that Quorell needs to build and test, only those that are missing.
# Usage: scripts/install-deps.sh build|test
set -euo pipefail

build_packages=(g++ cmake make pkg-config libxcb1-dev libxcb-randr0-dev
                qt6-base-dev qt6-qpa-plugins libgl-dev fonts-wqy-zenhei
                qt6-translations-l10n)
test_packages=(libgtest-dev libgmock-dev iproute2 xvfb xauth x11-utils trayer xdotool openbox libglib2.0-bin wmctrl)
# The Windows cross build and its tests under wine: the x86-64 C++ compiler of mingw-w64 (posix threads),
# GoogleTest's sources, 64-bit wine, the locale data for a simplified-Chinese Windows, and a CJK face for
# the Windows program's Chinese user-interface font under wine.
windows_test_packages=(g++-mingw-w64-x86-64-posix googletest wine wine64 locales fonts-wqy-microhei)

wanted=("${build_packages[@]}")
if [[ "${1:-build}" == "test" ]]; then
  wanted+=("${test_packages[@]}" "${windows_test_packages[@]}")
fi

missing=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  sudo=()
elif command -v sudo >/dev/null; then
  sudo=(sudo)
else
  echo "Missing packages (${missing[*]}) and no root rights or sudo to install them." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
