#!/usr/bin/env bash
# Starts the real Quorell on a virtual X display with a window manager (openbox) and no tray host, as on a
# desktop without a notification area, and uses it as a person would there: closing the main window
# minimizes it, a second start brings it back, a settings file that cannot be saved shows in its title, so
# does a value that stays high (the memory above 1 % for 5 s, set beforehand) once the file is saved again, and
# a right click on it opens the tray menu, whose exit item ends the program with 0. Then a second run whose
# tray host starts ten seconds after the program, as at a login: the icon docks, its menu opens, closing
# the main window hides it again, and the exit item ends the program.
# Usage: scripts/desktop-notray.sh [path/to/quorell]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build/src/gui/qt/quorell}")
source "$here/lib/xvfb.sh"
source "$here/lib/quorell-session.sh"

run_dir=$(mktemp -d)
app_pid=
cleanup() { [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null; xvfb_cleanup; rm -rf "$run_dir"; }
trap cleanup EXIT
fail() {
  echo "desktop without a tray: FAILED: $*" >&2
  [[ -n "${DISPLAY:-}" ]] && import -window root "${TMPDIR:-/tmp}/quorell-notray-failed.png" 2>/dev/null &&
    echo "screen at the failure: ${TMPDIR:-/tmp}/quorell-notray-failed.png" >&2
  cat "$run_dir/stdout.log" >&2 2>/dev/null || true
  exit 1
}
step() { echo "desktop without a tray: $*"; }

# window_state ID: the window manager's state of a client window (Normal, Iconic or Withdrawn).
window_state() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/^[[:space:]]*window state: //p'; }
wait_for_state() {
  local i
  for i in $(seq 1 100); do
    [[ $(window_state "$1") == "$2" ]] && return 0
    sleep 0.1
  done
  return 1
}
start_program() {
  "$run_dir/quorell" >"$run_dir/stdout.log" 2>&1 &
  app_pid=$!
  main_id=$(wait_for_window '^Quorell V 1\.0' --onlyvisible) || fail "the main window did not appear"
  wait_for_state "$main_id" Normal || fail "the main window is not shown normally"
}
# exit_from_menu: the menu is open; its last item is the exit, confirmed with Yes.
exit_from_menu() {
  xdotool key Up Return
  local box
  box=$(wait_for_window '^退出警告$' --onlyvisible) || fail "no exit question"
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  xdotool key --window "$box" alt+y
  local i
  for i in $(seq 1 50); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$app_pid" 2>/dev/null && fail "the program is still running after the confirmed exit"
  set +e; wait "$app_pid"; local code=$?; set -e
  app_pid=
  [[ $code -eq 0 ]] || fail "exit code $code, expected 0"
}
click_transparency() { xdotool mousemove --window "$main_id" 24 184 click 1; }

session_prepare "$binary" "$run_dir"
# A staying-high rule that any machine meets: the memory in use above 1 % for five seconds.
printf '[提醒设置]\r\n内存提醒=是\r\n内存高于=1\r\n内存持续秒数=5\r\n' | iconv -f UTF-8 -t GBK >"$run_dir/程序配置.Ini"
xvfb_start 1280x1024
openbox >/dev/null 2>&1 &
xvfb_pids+=($!)
for _ in $(seq 1 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done

step "no tray host: closing the main window minimizes it"
start_program
wmctrl -i -c "$main_id"
wait_for_state "$main_id" Iconic || fail "closing did not minimize the main window (state $(window_state "$main_id"))"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended on closing its main window"

step "a second start shows it again"
second=$("$run_dir/quorell" 2>&1) || fail "the second start ended with $?: $second"
grep -q 'already running; showed its window' <<<"$second" || fail "the second start said: $second"
wait_for_state "$main_id" Normal || fail "the second start did not bring the main window back"
sleep 1  # mapped again and placed before it is clicked

step "a settings file that cannot be saved shows in the main window's title"
settings="$run_dir/程序配置.Ini"
rm -f "$settings" && mkdir "$settings"   # not a regular file: every save of it fails
click_transparency
wait_for_window '未保存: 程序配置.Ini$' >/dev/null || fail "the title does not say that the settings are not saved"
rmdir "$settings"
click_transparency
for _ in $(seq 1 50); do [[ -f "$settings" ]] && break; sleep 0.1; done
[[ -f "$settings" ]] || fail "the settings were not saved once they could be"
for _ in $(seq 1 50); do
  xdotool search --name '未保存' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --name '未保存' >/dev/null 2>&1 && fail "the title kept its line after a good save"

step "the memory stays above 1 % for five seconds: the main window's title says so"
wait_for_window '^Quorell V 1\.0.* - 内存 持续高于 1%$' >/dev/null ||
  fail "the title does not say that the memory stays high: $(xdotool getwindowname "$main_id")"

step "a right click on the main window opens the tray menu; its exit ends the program"
xdotool mousemove --window "$main_id" 400 120 click 3
sleep 0.7
exit_from_menu

step "a tray host that starts ten seconds after the program takes the icon"
start_program
sleep 10
tray_start
tray_icon_click 3 || fail "the icon did not dock in the tray host that came later"
sleep 0.7
xdotool key Escape
wmctrl -i -c "$main_id"
for _ in $(seq 1 50); do
  xdotool search --onlyvisible --name '^Quorell V 1\.0' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Quorell V 1\.0' >/dev/null 2>&1 && fail "with a tray, closing did not hide the main window"
[[ $(window_state "$main_id") != Iconic ]] || fail "with a tray, closing minimized the main window"
tray_icon_click 3
sleep 0.7
exit_from_menu
step "passed"
