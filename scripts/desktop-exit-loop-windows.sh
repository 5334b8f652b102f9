#!/usr/bin/env bash
# Starts the Windows program under wine on a virtual X display with a tray host, at its first start in a fresh
# folder, and shows the four monitor windows with the main window's buttons: all four sit at the screen
# centre, where the exit question appears. Then:
#  1. The tray menu's exit item: the question must stand above every monitor window (the screen is kept as
#     a PNG for a look); answered No, the program goes on.
#  2. A monitor window is dragged by its strip with the button held down, so the system's move loop runs.
#     Inside that loop the tray icon's right click (posted as the shell posts it) opens the tray menu, and
#     the button is released on the exit item: the move loop never sees its button come up. The question,
#     a third loop, is answered Yes. The program must end within fifteen seconds with exit code 0 and no
#     window left, its history and settings files readable through Windows' own private-profile calls.
# Usage: scripts/desktop-exit-loop-windows.sh path/to/quorell.exe path/to/quorell_profile_dump.exe \
#          path/to/quorell_program_message.exe
# QUORELL_WINE_DESKTOP_PREFIX names a wine prefix to use (and keep); by default a fresh one is made.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
profile_dump=$(realpath "$2")
program_message=$(realpath "$3")
source "$here/lib/xvfb.sh"
source "$here/lib/wine-desktop.sh"

run_dir=$(mktemp -d)
shot=${TMPDIR:-/tmp}/quorell-exit-question-windows.png
app_pid=
cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null
  xdotool mouseup 1 2>/dev/null || true
  wine_desktop_stop
  xvfb_cleanup
  rm -rf "$run_dir"
}
trap cleanup EXIT
fail() { wine_check_failed "windows exit loop" exit-loop-windows "$run_dir" "$*"; }
step() { echo "windows exit loop: $*"; }

# The program's windows as X sees them, topmost first: "id name" per line, unnamed ones (menus) as "id".
program_windows() {
  xwininfo -root -children 2>/dev/null | grep -F '("quorell.exe" "quorell.exe")' | grep -v ' 1x1+' |
    sed -E 's/^ *(0x[0-9a-f]+) \(has no name\).*/\1/; s/^ *(0x[0-9a-f]+) "([^"]*)": \(.*$/\1 \2/' || true
}
# The open popup menu: the program's shown window without a title.
menu_window() {
  local id
  for id in $(xdotool search --onlyvisible --classname quorell.exe 2>/dev/null); do
    [[ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ]] || continue
    eval "$(xdotool getwindowgeometry --shell "$id")"
    (( HEIGHT > 40 )) && { echo "$id"; return 0; }
  done
  return 1
}
wait_for_menu() {
  local i
  for i in $(seq 1 100); do menu_window && return 0; sleep 0.1; done
  return 1
}
place_of() { eval "$(xdotool getwindowgeometry --shell "$1")"; echo "$X,$Y"; }

cp "$program" "$run_dir/quorell.exe"
xvfb_start 1280x1024
tray_start
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
step "starting wine's desktop"
wine_desktop_start "${QUORELL_WINE_DESKTOP_PREFIX:-$run_dir/prefix}"

(cd "$run_dir" && exec "$wine_bin" quorell.exe >"$run_dir/stdout.log" 2>&1) &
app_pid=$!
main_id=$(wait_for_window '^Quorell V 1\.0' --onlyvisible) || fail "the main window did not appear"

step "the main window's buttons: the four monitors at the screen centre"
monitors=('Velkor - Quorell - Cpu使用率监控' 'Velkor - Quorell - 内存使用率监控' 'Velkor - Quorell - 网络接收监控'
          'Velkor - Quorell - 网络发送监控')
for x in 53 160 262 365; do   # the middles of the four buttons in the main window's first row
  wine_click_client "$main_id" "$x" 36
  sleep 0.3
done
for title in "${monitors[@]}"; do
  wait_for_window "^$title\$" --onlyvisible >/dev/null || fail "$title was not shown"
done

step "tray menu: exit; the question above the monitors"
wine_tray_click 3
sleep 1
xdotool key Up Return
box=$(wait_for_window '^退出警告$' --onlyvisible) || fail "no exit question"
sleep 1
stacking=$(program_windows)
box_line=$(grep -n -i "^$(printf '0x%x' "$box") " <<<"$stacking" | cut -d: -f1)
[[ -n "$box_line" ]] || fail "the exit question is not among the program's windows: $stacking"
for title in "${monitors[@]}"; do
  monitor_line=$(grep -n -F " $title" <<<"$stacking" | head -n 1 | cut -d: -f1)
  [[ -n "$monitor_line" ]] || fail "$title is not among the program's windows: $stacking"
  (( monitor_line > box_line )) || fail "$title stands above the exit question: $stacking"
done
import -window root "$shot" 2>/dev/null && step "the screen with the question: $shot"
step "answering No: the program goes on"
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key --window "$box" n
for _ in $(seq 1 50); do xdotool search --onlyvisible --name '^退出警告$' >/dev/null 2>&1 || break; sleep 0.1; done
xdotool search --onlyvisible --name '^退出警告$' >/dev/null 2>&1 && fail "the question stayed after No"
sleep 1
kill -0 "$app_pid" 2>/dev/null || fail "the program ended after No"

step "dragging the topmost monitor with the button held: the system's move loop runs"
dragged=$(program_windows | grep -m1 -F ' Velkor - Quorell - ' | cut -d' ' -f1)
[[ -n "$dragged" ]] || fail "no monitor window to drag"
before=$(place_of "$dragged")
xdotool mousemove "${before%,*}" "${before#*,}" mousemove_relative 11 11   # the left end of its title strip
sleep 0.3
xdotool mousedown 1
sleep 0.5
for _ in 1 2 3 4 5; do xdotool mousemove_relative -- -20 -20; sleep 0.2; done
sleep 0.5
after=$(place_of "$dragged")
[[ "$after" != "$before" ]] || fail "the monitor at $before did not follow the pointer"

step "the tray icon's right click inside the move loop; the button comes up on the exit item"
"$wine_bin" "$program_message" tray-right-click >/dev/null 2>"$run_dir/message.log" ||
  fail "the tray click could not be posted: $(cat "$run_dir/message.log")"
menu=$(wait_for_menu) || fail "the tray menu did not open inside the move loop"
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 30))
sleep 0.3
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 10))   # the last item: exit
sleep 0.5
xdotool mouseup 1
box=$(wait_for_window '^退出警告$' --onlyvisible) || fail "the exit item did not ask the question"
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key --window "$box" Return
wait_for_exit "$app_pid" 15 || fail "the program is still running after the exit confirmed inside the move loop"
app_pid=
[[ $exit_code -eq 0 ]] || fail "exit code $exit_code, expected 0"
left=$(program_windows)
[[ -z "$left" ]] || fail "windows left after the exit: $left"

step "reading the files through GetPrivateProfileStringA"
dump() { wine_profile_dump "$profile_dump" "$run_dir/$1" "$run_dir/dump.log"; }
dump_failed() { fail "Windows cannot read $1: $(cat "$run_dir/dump.log")"; }
settings=$(dump 程序配置.Ini) || dump_failed 程序配置.Ini
grep -q '^Cpu左边=' <<<"$settings" || fail "Windows reads no Cpu左边 in the settings file: $settings"
for file in Cpu.FDB 内存.FDB 接收.FDB 发送.FDB; do
  text=$(dump "$file") || dump_failed "$file"
  grep -q '^\[最近\]$' <<<"$text" || fail "Windows reads no section 最近 in $file"
done
grep -q -E '^[0-9]+_A=[1-9]' <<<"$(dump Cpu.FDB)" || fail "Windows reads no counted hour in Cpu.FDB"
step "passed"
