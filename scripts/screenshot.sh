#!/usr/bin/env bash
# Starts Quorell on a virtual display with all six windows shown and saves a screenshot.
# Usage: scripts/screenshot.sh [path/to/quorell] [out.png]   (needs imagemagick; openbox gives title bars)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build/src/gui/qt/quorell}")
out=${2:-$here/../docs/screenshot.png}
source "$here/lib/xvfb.sh"
source "$here/lib/quorell-session.sh"
run_dir=$(mktemp -d)
trap 'kill ${app_pid:-} 2>/dev/null; xvfb_cleanup; rm -rf "$run_dir"' EXIT

xvfb_start 1280x800
if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & xvfb_pids+=($!); sleep 0.5; fi
tray_start
session_start "$binary" "$run_dir"
sleep "${QUORELL_SCREENSHOT_WAIT:-12}"  # let the graphs draw some columns
mkdir -p "$(dirname "$out")"
import -window root "$out"
echo "saved $out"
