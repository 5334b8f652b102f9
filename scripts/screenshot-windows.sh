#!/usr/bin/env bash
# Starts the Windows program under wine on a virtual display with all six windows shown and saves a
# screenshot. Usage: scripts/screenshot-windows.sh [path/to/quorell.exe] [out.png]
# (needs imagemagick; openbox gives the bordered windows their title bars)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:-$here/../build-windows/src/gui/win32/quorell.exe}")
out=${2:-$here/../docs/screenshot-windows.png}
source "$here/lib/xvfb.sh"
source "$here/lib/wine-desktop.sh"
run_dir=$(mktemp -d)
app_pid=
trap '[[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null; wine_desktop_stop; xvfb_cleanup; rm -rf "$run_dir"' EXIT

cp "$program" "$run_dir/quorell.exe"
# The four monitor windows where a user would put them (GBK, CRLF, as the program writes its settings).
printf '[界面设置]\r\nCpu左边=20\r\nCpu顶边=330\r\n内存左边=340\r\n内存顶边=330\r\n接收左边=20\r\n接收顶边=490\r\n发送左边=340\r\n发送顶边=490\r\n' |
  iconv -f UTF-8 -t GBK >"$run_dir/程序配置.Ini"

xvfb_start 1280x800
if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & xvfb_pids+=($!); sleep 0.5; fi
tray_start
wine_desktop_start "${QUORELL_WINE_DESKTOP_PREFIX:-$run_dir/prefix}"
(cd "$run_dir" && exec "$wine_bin" quorell.exe >"$run_dir/stdout.log" 2>&1) &
app_pid=$!

main_id=$(wait_for_window '^Quorell V 1\.0' --onlyvisible) || { echo "no main window" >&2; exit 1; }
xdotool windowmove "$main_id" 20 20
sleep 1
# The five buttons of the main window show the four monitors and the trend window.
for at in "53 36" "160 36" "262 36" "365 36" "466 36"; do
  wine_click_client "$main_id" $at
  sleep 0.5
done
trend_id=$(wait_for_window '^Quorell - 趋势统计$' --onlyvisible) || { echo "no trend window" >&2; exit 1; }
xdotool windowmove "$trend_id" 680 330
sleep "${QUORELL_SCREENSHOT_WAIT:-12}"  # let the graphs draw some columns
mkdir -p "$(dirname "$out")"
import -window root "$out"
echo "saved $out"
