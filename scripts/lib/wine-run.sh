#!/usr/bin/env bash
# Runs a Windows program of the cross build under 64-bit wine, quietly: CTest's emulator for every
# Windows test. WINEPREFIX comes from the caller (CTest gives each build folder its own prefix).
set -euo pipefail
wine=$(command -v wine64 || true)
[[ -n "$wine" ]] || wine=/usr/lib/wine/wine64
export WINEDEBUG=${WINEDEBUG:--all}
# No .NET or HTML engine download prompts: the tests are console programs.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec "$wine" "$@"
