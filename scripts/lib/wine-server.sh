#!/usr/bin/env bash
# start: makes the wine prefix ($WINEPREFIX) if needed and starts one persistent wineserver for it;
# stop: ends that server. Used as CTest's fixture around the Windows tests.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix folder}"
export WINEPREFIX
here=$(dirname "$0")
case "${1:-}" in
  start)
    mkdir -p "$WINEPREFIX"
    # Detached from our output: CTest waits for every process that holds the test's pipe.
    wineserver -p </dev/null >/dev/null 2>&1
    # The first program in a new prefix sets it up (registry, C: drive), which takes seconds; done here
    # once rather than inside whichever test comes first.
    "$here/wine-run.sh" wineboot --init </dev/null >/dev/null 2>&1
    ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
