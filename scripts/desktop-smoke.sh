#!/usr/bin/env bash
# Starts the real Quorell binary on a virtual X display with a tray host, in a fresh run directory, and uses
# it as a person would: finds its seven windows, sees the notification of a value that stays high (the memory
# above 1 % for 5 s, set in the settings file beforehand) and clicks it away, opens the tray menu, shows and
# hides the CPU monitor, turns starting with the session on (and starts the entry as a session would) and off,
# opens the alert settings and has a bad start day refused (the settings file unchanged), confirms the exit, then
# checks the exit code and the files it wrote. The run directory's name has blanks, brackets and a dollar
# sign, which the autostart entry's command must quote and escape.
# Usage: scripts/desktop-smoke.sh [path/to/quorell]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build/src/gui/qt/quorell}")
source "$here/lib/xvfb.sh"
source "$here/lib/quorell-session.sh"

run_dir=$(mktemp -d "${TMPDIR:-/tmp}/quorell smoke (\$1).XXXXXX")
cleanup() { [[ -n "${app_pid:-}" ]] && kill "$app_pid" 2>/dev/null; xvfb_cleanup; rm -rf "$run_dir"; }
trap cleanup EXIT
fail() { echo "desktop smoke: FAILED: $*" >&2; exit 1; }
step() { echo "desktop smoke: $*"; }

session_prepare "$binary" "$run_dir"
# The session's autostart folders, private to this run.
export XDG_CONFIG_HOME="$run_dir/config" XDG_CONFIG_DIRS="$run_dir/xdg"
entry="$XDG_CONFIG_HOME/autostart/quorell.desktop"
# A staying-high rule that any machine meets: the memory in use above 1 % for five seconds.
printf '[提醒设置]\r\n内存提醒=是\r\n内存高于=1\r\n内存持续秒数=5\r\n' | iconv -f UTF-8 -t GBK >"$run_dir/程序配置.Ini"
xvfb_start 1280x1024
tray_start
"$run_dir/quorell" >"$run_dir/stdout.log" 2>&1 &
app_pid=$!

step "waiting for the main window"
main_id=$(wait_for_window '^Quorell V 1\.0' --onlyvisible) || fail "the main window did not appear"
for title in 'Velkor - Quorell - Cpu使用率监控' 'Velkor - Quorell - 内存使用率监控' \
             'Velkor - Quorell - 网络接收监控' 'Velkor - Quorell - 网络发送监控' 'Quorell - 趋势统计' '提醒设置'; do
  wait_for_window "^$title\$" >/dev/null || fail "no window titled $title"
  if xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; then
    fail "$title is shown at start"
  fi
done
step "all seven windows exist; only the main window is shown"

# Without a notification service on the session bus the tray icon's notification is a balloon of the
# program's own window class.
balloon() { notice_window --class quorell; }
step "the memory stays above 1 % for five seconds: a notification from the tray icon"
for _ in $(seq 1 150); do notice=$(balloon) && break; sleep 0.1; done
[[ -n "${notice:-}" ]] || fail "no notification of the memory staying high"
xdotool mousemove --window "$notice" 20 20 click 1   # read, and clicked away
for _ in $(seq 1 30); do balloon >/dev/null || break; sleep 0.1; done
balloon >/dev/null && fail "the notification stayed after a click"

# The tray icon is the only client docked in the tray host: right-click its middle.
open_tray_menu() {
  tray_icon_click 3
  sleep 0.7
}
cpu_shown() { xdotool search --onlyvisible --name '^Velkor - Quorell - Cpu使用率监控$' >/dev/null 2>&1; }

step "tray menu: show the CPU monitor"
open_tray_menu
# Items: 1 main window, separator, 3 CPU, ... The first Down selects item 1, the second item 3.
xdotool key Down Down Return
sleep 1
cpu_shown || fail "the tray menu did not show the CPU monitor window"
step "tray menu: hide it again"
open_tray_menu
xdotool key Down Down Return
sleep 1
cpu_shown && fail "the tray menu did not hide the CPU monitor window"

step "tray menu: start with the session"
open_tray_menu
# From the end: the exit item, the alert settings, the full-screen item, the autostart item.
xdotool key Up Up Up Up Return
sleep 1
[[ -f "$entry" ]] || fail "no autostart entry $entry"
step "the entry started as a session starts it: a second copy that shows the first one's window"
gio launch "$entry" >"$run_dir/second.log" 2>&1 || fail "the entry cannot be launched: $(cat "$run_dir/second.log")"
for _ in $(seq 1 50); do
  grep -q "already running; showed its window" "$run_dir/second.log" && break
  sleep 0.1
done
grep -q "already running; showed its window" "$run_dir/second.log" ||
  fail "the entry did not start this program: $(grep '^Exec=' "$entry") $(cat "$run_dir/second.log")"
step "tray menu: no longer start with the session"
open_tray_menu
xdotool key Up Up Up Up Return
sleep 1
[[ -e "$entry" ]] && fail "the autostart entry is still there"

step "tray menu: the alert settings; a start day of 29 is refused"
settings="$run_dir/程序配置.Ini"
alerts_shown() { xdotool search --onlyvisible --name '^提醒设置$' 2>/dev/null | wc -l; }
settings_sum() { md5sum "$settings" 2>/dev/null || echo absent; }
open_tray_menu
xdotool key Up Up Return
alerts_id=$(wait_for_window '^提醒设置$' --onlyvisible) || fail "the menu item did not open the alert settings"
before=$(settings_sum)
xdotool windowfocus --sync "$alerts_id" 2>/dev/null || true
xdotool mousemove --window "$alerts_id" 252 35 click 1   # the start-day box (its text is 1)
xdotool key End BackSpace BackSpace
xdotool type 29
xdotool mousemove --window "$alerts_id" 227 228 click 1  # 确定
for _ in $(seq 1 50); do (( $(alerts_shown) == 2 )) && break; sleep 0.1; done
(( $(alerts_shown) == 2 )) || fail "no message box refused the start day"
# The box (the other window of that title) may still be replacing its first native window: Return to the
# one there now, until it is gone.
for _ in $(seq 1 20); do
  box=$(xdotool search --onlyvisible --name '^提醒设置$' 2>/dev/null | grep -vx "$alerts_id" | head -n 1 || true)
  [[ -z "$box" ]] && break
  xdotool windowfocus --sync "$box" 2>/dev/null && xdotool key Return
  sleep 0.3
done
(( $(alerts_shown) == 1 )) || fail "the refusal did not close, or the alert settings closed with it"
[[ "$(settings_sum)" == "$before" ]] || fail "a refused value changed the settings file"
xdotool mousemove --window "$alerts_id" 311 228 click 1  # 取消
for _ in $(seq 1 50); do (( $(alerts_shown) == 0 )) && break; sleep 0.1; done
(( $(alerts_shown) == 0 )) || fail "取消 did not close the alert settings"
[[ "$(settings_sum)" == "$before" ]] || fail "取消 changed the settings file"

sleep 3  # a few ticks for the history files
step "tray menu: exit, confirmed with Yes"
open_tray_menu
xdotool key Up Return
box=$(wait_for_window '^退出警告$' --onlyvisible) || fail "no exit question"
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key --window "$box" alt+y
for _ in $(seq 1 50); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then fail "the program is still running after the confirmed exit"; fi
set +e; wait "$app_pid"; code=$?; set -e
app_pid=
[[ $code -eq 0 ]] || fail "exit code $code, expected 0"

[[ -f "$settings" ]] || fail "no settings file"
settings_text=$(iconv -f GBK -t UTF-8 "$settings")
for key in Cpu左边 Cpu顶边 内存左边 内存顶边 接收左边 接收顶边 发送左边 发送顶边 是否透明; do
  grep -q "^$key=" <<<"$settings_text" || fail "settings file lacks $key"
done
for file in Cpu.FDB 内存.FDB 接收.FDB 发送.FDB; do
  [[ -s "$run_dir/$file" ]] || fail "no history file $file"
done
step "passed"
