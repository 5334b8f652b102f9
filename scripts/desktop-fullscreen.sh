#!/usr/bin/env bash
# Starts the real Quorell binary on a virtual X display with a window manager and a tray host, shows the CPU
# monitor, then makes another program's window full screen as a video player would: the monitor must leave
# the screen and come back when that window leaves full screen; with the tray menu's "全屏时隐藏监控" turned
# off it must stay, and the choice is stored.
# Usage: scripts/desktop-fullscreen.sh [path/to/quorell] [screenshot-folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build/src/gui/qt/quorell}")
shots=${2:-}
source "$here/lib/xvfb.sh"
source "$here/lib/quorell-session.sh"

run_dir=$(mktemp -d)
cleanup() { [[ -n "${app_pid:-}" ]] && kill "$app_pid" 2>/dev/null; xvfb_cleanup; rm -rf "$run_dir"; }
trap cleanup EXIT
fail() { echo "desktop full screen: FAILED: $*" >&2; exit 1; }
step() { echo "desktop full screen: $*"; }
shot() { [[ -z "$shots" ]] || import -window root "$shots/fullscreen-$1.png"; }

cpu_title='^Velkor - Quorell - Cpu使用率监控$'
probe=QuorellFullScreenProbe
cpu_shown() { xdotool search --onlyvisible --name "$cpu_title" >/dev/null 2>&1; }
# until_true SECONDS COMMAND...: whether the command succeeds within the time (the program looks once a second).
until_true() {
  local tenths=$(($1 * 10)) i; shift
  for i in $(seq 1 "$tenths"); do "$@" && return 0; sleep 0.1; done
  return 1
}
cpu_hidden() { ! cpu_shown; }
probe_full_screen() { wmctrl -r "$probe" -b "$1,fullscreen" && wmctrl -a "$probe"; }

session_prepare "$binary" "$run_dir"
xvfb_start 1280x1024
openbox --sm-disable >/dev/null 2>&1 &
xvfb_pids+=($!)
until_true 20 wmctrl -m >/dev/null 2>&1 || fail "the window manager did not start"
tray_start
"$run_dir/quorell" >"$run_dir/stdout.log" 2>&1 &
app_pid=$!
wait_for_window '^Quorell V 1\.0' --onlyvisible >/dev/null || fail "the main window did not appear"

step "tray menu: show the CPU monitor"
tray_icon_click 3
sleep 0.7
xdotool key Down Down Return
until_true 5 cpu_shown || fail "the tray menu did not show the CPU monitor"

step "another program's window goes full screen"
xmessage -title "$probe" "a full-screen program" &
xvfb_pids+=($!)
wait_for_window "^$probe\$" --onlyvisible >/dev/null || fail "no probe window"
probe_full_screen add
until_true 5 cpu_hidden || fail "the CPU monitor stayed over the full-screen window"
shot aside
xdotool search --onlyvisible --name '^Quorell V 1\.0' >/dev/null 2>&1 || fail "the main window left the screen too"

step "it leaves full screen"
probe_full_screen remove
until_true 5 cpu_shown || fail "the CPU monitor did not come back"
shot back

step "tray menu: turn 全屏时隐藏监控 off (the item three above the last)"
tray_icon_click 3
sleep 0.7
xdotool key Up Up Up Return
sleep 0.5
probe_full_screen add
sleep 3
cpu_shown || fail "the CPU monitor stepped aside although the setting is off"
settings_text=$(iconv -f GBK -t UTF-8 "$run_dir/程序配置.Ini")
grep -q '^全屏时隐藏=否' <<<"$settings_text" || fail "the setting was not stored as 否"

kill -TERM "$app_pid"
set +e; wait "$app_pid"; code=$?; set -e
app_pid=
[[ $code -eq 0 ]] || fail "exit code $code after SIGTERM, expected 0"
step "passed"
