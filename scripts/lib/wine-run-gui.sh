#!/usr/bin/env bash
# Runs a Windows test program under wine on the display that the Xvfb fixture wrote to $QUORELL_DISPLAY_FILE
# (no display when there is none: the program's window tests then skip).
set -euo pipefail
if [[ -n "${QUORELL_DISPLAY_FILE:-}" && -s "$QUORELL_DISPLAY_FILE" ]]; then
  DISPLAY=$(cat "$QUORELL_DISPLAY_FILE")
  export DISPLAY
fi
exec "$(dirname "$0")/wine-run.sh" "$@"
