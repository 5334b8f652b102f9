#!/usr/bin/env bash
# start FILE: starts Xvfb on a free display, writes ":N" to FILE, and makes and starts the wine prefix
# ($WINEPREFIX) on that display; stop FILE: ends that prefix's wine server and the Xvfb.
# CTest's fixture around the tests of the Win32 windows: wine draws windows through X, and the prefix's
# desktop process takes its display when the prefix starts, so these tests have a prefix of their own.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix folder}"
file=${2:?usage: $0 start|stop FILE}
here=$(dirname "$0")
case "${1:-}" in
  start)
    rm -f "$file"
    number_file=$(mktemp)
    # Detached from our output: CTest waits for every process that holds the test's pipe.
    setsid Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$number_file" </dev/null >/dev/null 2>&1 &
    echo $! >"$file.pid"
    for _ in $(seq 1 100); do
      n=$(tr -dc 0-9 <"$number_file")
      [[ -n "$n" ]] && break
      sleep 0.1
    done
    rm -f "$number_file"
    [[ -n "${n:-}" ]] || { echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$n"
    "$here/wine-server.sh" start
    echo "$DISPLAY" >"$file"
    ;;
  stop)
    "$here/wine-server.sh" stop
    if [[ -f "$file.pid" ]]; then
      kill "$(cat "$file.pid")" 2>/dev/null || true
      rm -f "$file.pid"
    fi
    rm -f "$file"
    ;;
  *)
    echo "usage: $0 start|stop FILE" >&2
    exit 2
    ;;
esac
