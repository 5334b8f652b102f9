#!/usr/bin/env bash
# Starts the real Quorell binary on a virtual X display with a window manager (openbox) and a tray host, in
# a fresh run directory, shows the four always-on-top monitor windows (a first start places them all at the
# screen centre, where the exit question appears), asks to exit through the tray menu and checks that the
# question stands above every monitor window; then clicks its Yes button with the mouse, which must end
# the program with exit code 0. The screen with the question is kept as a PNG for a look. Then a second start
# in the same folder: SIGTERM while the exit question's own event loop runs (inside the tray event) must end
# the program at once with 0, no window left and this run's ticks saved.
# Usage: scripts/desktop-exit-question.sh [path/to/quorell]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build/src/gui/qt/quorell}")
source "$here/lib/xvfb.sh"
source "$here/lib/quorell-session.sh"

run_dir=$(mktemp -d)
shot=${TMPDIR:-/tmp}/quorell-exit-question.png
cleanup() { [[ -n "${app_pid:-}" ]] && kill "$app_pid" 2>/dev/null; xvfb_cleanup; rm -rf "$run_dir"; }
trap cleanup EXIT
fail() { echo "desktop exit question: FAILED: $*" >&2; import -window root "$shot" 2>/dev/null || true; exit 1; }
step() { echo "desktop exit question: $*"; }

session_prepare "$binary" "$run_dir"
xvfb_start 1280x1024
openbox >/dev/null 2>&1 &
xvfb_pids+=($!)
# The tray host docks into a managed screen: the window manager first.
for _ in $(seq 1 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
tray_start
"$run_dir/quorell" >"$run_dir/stdout.log" 2>&1 &
app_pid=$!
wait_for_window '^Quorell V 1\.0' --onlyvisible >/dev/null || fail "the main window did not appear"

monitors=('Velkor - Quorell - Cpu使用率监控' 'Velkor - Quorell - 内存使用率监控' 'Velkor - Quorell - 网络接收监控'
          'Velkor - Quorell - 网络发送监控')
step "tray menu: show the four monitors"
for downs in 2 3 4 5; do
  tray_icon_click 3
  sleep 0.7
  for _ in $(seq 1 "$downs"); do xdotool key Down; done
  xdotool key Return
  sleep 0.3
done
monitor_ids=()
for title in "${monitors[@]}"; do
  monitor_ids+=("$(wait_for_window "^$title\$" --onlyvisible)") || fail "$title was not shown"
done

step "tray menu: exit"
tray_icon_click 3
sleep 0.7
xdotool key Up Return
box=$(wait_for_window '^退出警告$' --onlyvisible) || fail "no exit question"
sleep 1

# The window manager's stacking order, bottom to top: the question must come after every monitor.
# A loaded machine may start the window manager late: its list is waited for.
for _ in $(seq 1 100); do
  stacking=$(xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null || true)
  [[ $stacking == *'#'* ]] && break
  sleep 0.1
done
[[ $stacking == *'#'* ]] || fail "the window manager keeps no stacking list: $stacking"
stacking=$(sed 's/.*# //; s/,//g' <<<"$stacking")
position_of() {
  local i=0 id
  for id in $stacking; do
    (( id == $1 )) && { echo "$i"; return; }
    i=$((i + 1))
  done
  echo -1
}
box_place=$(position_of "$box")
(( box_place >= 0 )) || fail "the exit question is not in the window manager's stacking list"
for id in "${monitor_ids[@]}"; do
  (( $(position_of "$id") < box_place )) || fail "a monitor window stands above the exit question"
done
import -window root "$shot" 2>/dev/null && step "the screen with the question: $shot"

step "clicking 是 with the mouse"
# Qt's message box puts Yes left of No at its bottom right; the button's middle is found from that corner.
info=$(xwininfo -id "$box")
X=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info"); Y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
WIDTH=$(awk '/Width:/ {print $2}' <<<"$info"); HEIGHT=$(awk '/Height:/ {print $2}' <<<"$info")
step "the question at $X,$Y, $WIDTH x $HEIGHT"
xdotool mousemove $((X + WIDTH - 138)) $((Y + HEIGHT - 24)) click 1
wait_for_exit "$app_pid" 5 || fail "the program is still running after 是 was clicked"
app_pid=
[[ $exit_code -eq 0 ]] || fail "exit code $exit_code, expected 0"
for file in Cpu.FDB 内存.FDB 接收.FDB 发送.FDB 程序配置.Ini; do
  [[ -s "$run_dir/$file" ]] || fail "no file $file"
done

# The ticks counted in Cpu.FDB over all hours: every tick adds one to its hour's "<hour>_A".
counted_ticks() {
  iconv -f GBK -t UTF-8 "$run_dir/Cpu.FDB" | tr -d '\r' |
    awk -F= '/^\[全部\]/ {all = 1; next} /^\[/ {all = 0} all && $1 ~ /_A$/ {n += $2} END {print n + 0}'
}
ticks_before=$(counted_ticks)
step "second start: SIGTERM while the exit question waits"
"$run_dir/quorell" >"$run_dir/stdout.log" 2>&1 &
app_pid=$!
wait_for_window '^Quorell V 1\.0' --onlyvisible >/dev/null || fail "the main window did not appear again"
sleep 2   # a few ticks for this run
tray_icon_click 3
sleep 0.7
xdotool key Up Return
wait_for_window '^退出警告$' --onlyvisible >/dev/null || fail "no exit question in the second run"
kill -TERM "$app_pid"
wait_for_exit "$app_pid" 5 || fail "SIGTERM did not end the program while its exit question waited"
app_pid=
[[ $exit_code -eq 0 ]] || fail "exit code $exit_code after SIGTERM, expected 0"
left=$(xdotool search --classname '^quorell$' 2>/dev/null || true)
[[ -z "$left" ]] || fail "windows left after SIGTERM: $left"
(( $(counted_ticks) > ticks_before )) || fail "the second run's ticks were not saved ($ticks_before before, $(counted_ticks) after)"
step "passed"
