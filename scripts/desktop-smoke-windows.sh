#!/usr/bin/env bash
# Starts the Windows program under wine on a virtual X display with a tray host, in a fresh folder, and uses
# it as a person would: the main window appears with its title, a click on its CPU button shows the CPU
# monitor window, a second start in the same folder leaves at once and the first copy goes on, the memory
# staying above 1 % for 5 s (a rule set in the settings file beforehand) brings a notification, another
# program's full-screen window makes the monitor step aside until it ends, the tray menu's autostart item
# makes a Startup shortcut that the shell reads as leading to this program and removes it again, the tray
# menu's alert settings refuse a bad start day in a message box and leave the settings file as it was, a settings
# file that cannot be saved brings a notification from the tray icon, a few seconds of ticks, then the tray
# menu's exit item, confirmed with Yes. Then it checks the exit code and reads the files it wrote through
# Windows' own private-profile calls.
# Usage: scripts/desktop-smoke-windows.sh path/to/quorell.exe path/to/quorell_profile_dump.exe \
#          path/to/quorell_shortcut_dump.exe [path/to/quorell_full_screen_window.exe]
# QUORELL_WINE_DESKTOP_PREFIX names a wine prefix to use (and keep); by default a fresh one is made.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
profile_dump=$(realpath "$2")
shortcut_dump=$(realpath "$3")
full_screen_window=${4:+$(realpath "$4")}
source "$here/lib/xvfb.sh"
source "$here/lib/wine-desktop.sh"

run_dir=$(mktemp -d)
app_pid=
cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null
  wine_desktop_stop
  xvfb_cleanup
  rm -rf "$run_dir"
}
trap cleanup EXIT
fail() { wine_check_failed "windows desktop smoke" windows-smoke "$run_dir" "$*"; }
step() { echo "windows desktop smoke: $*"; }

# The program keeps its files beside itself, so it gets a folder of its own.
cp "$program" "$run_dir/quorell.exe"
# A staying-high rule that any machine meets: the memory in use above 1 % for five seconds.
printf '[提醒设置]\r\n内存提醒=是\r\n内存高于=1\r\n内存持续秒数=5\r\n' | iconv -f UTF-8 -t GBK >"$run_dir/程序配置.Ini"
xvfb_start 1280x1024
tray_start
# A shortcut in the Startup folder would otherwise become a menu entry of the Linux desktop running the test.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
step "starting wine's desktop"
wine_desktop_start "${QUORELL_WINE_DESKTOP_PREFIX:-$run_dir/prefix}"

# The Startup folder of the prefix ("StartUp" in wine's), without a shortcut left by an earlier failed run.
startup_shortcut() { find "$WINEPREFIX/drive_c/users" -ipath '*/Startup/Quorell.lnk' 2>/dev/null | head -n 1; }
leftover=$(startup_shortcut)
[[ -z "$leftover" ]] || rm -f "$leftover"

(cd "$run_dir" && exec "$wine_bin" quorell.exe >"$run_dir/stdout.log" 2>&1) &
app_pid=$!

step "waiting for the main window"
main_id=$(wait_for_window '^Quorell V 1\.0' --onlyvisible) || fail "the main window did not appear"
cpu_title='^Velkor - Quorell - Cpu使用率监控$'
xdotool search --onlyvisible --name "$cpu_title" >/dev/null 2>&1 && fail "the CPU monitor is shown at start"

step "clicking the CPU button"
wine_click_client "$main_id" 53 36   # the middle of "Cpu使用率监控" (8, 24, 90 x 24)
wait_for_window "$cpu_title" --onlyvisible >/dev/null || fail "the CPU button did not show the CPU monitor window"

step "a second start in the same folder"
second=$(cd "$run_dir" && "$wine_bin" quorell.exe 2>&1) || fail "the second start ended with $?: $second"
grep -q 'already running; showed its window' <<<"$second" || fail "the second start said: $second"
kill -0 "$app_pid" 2>/dev/null || fail "the first copy ended when the second started"

step "the memory stays above 1 % for five seconds: a notification from the tray icon"
# Wine's explorer.exe draws the icon's balloon.
balloon() { notice_window --classname explorer.exe; }
for _ in $(seq 1 150); do notice=$(balloon) && break; sleep 0.1; done
[[ -n "${notice:-}" ]] || fail "no notification of the memory staying high"

if [[ -n "$full_screen_window" ]]; then
  step "another program's window covers the screen for 12 s"
  cpu_hidden() { ! xdotool search --onlyvisible --name "$cpu_title" >/dev/null 2>&1; }
  "$wine_bin" "$full_screen_window" 12 >/dev/null 2>&1 &
  probe_pid=$!
  for _ in $(seq 1 100); do cpu_hidden && break; sleep 0.1; done
  cpu_hidden || fail "the CPU monitor stayed over the full-screen window"
  wait "$probe_pid" || fail "the full-screen window could not be made"
  wait_for_window "$cpu_title" --onlyvisible >/dev/null || fail "the CPU monitor did not come back"
fi

step "tray menu: start with the session"
wine_tray_click 3
sleep 1
xdotool key Up Up Up Up Return   # from the end: exit, alert settings, full-screen, autostart
for _ in $(seq 1 30); do [[ -n "$(startup_shortcut)" ]] && break; sleep 0.2; done
shortcut=$(startup_shortcut)
[[ -n "$shortcut" ]] || fail "no Quorell.lnk in the Startup folder"
read_back=$("$wine_bin" "$shortcut_dump" "$(winepath_of "$shortcut")" 2>&1 | tr -d '\r') ||
  fail "the shell cannot read the shortcut: $read_back"
target=$(sed -n 1p <<<"$read_back")
folder=$(sed -n 2p <<<"$read_back")
expected=$(winepath_of "$run_dir/quorell.exe")
[[ "${target,,}" == "${expected,,}" ]] || fail "the shortcut leads to $target, not to $expected"
expected=$(winepath_of "$run_dir")
[[ "${folder,,}" == "${expected,,}" ]] || fail "the shortcut starts in $folder, not in $expected"
step "tray menu: no longer start with the session"
wine_tray_click 3
sleep 1
xdotool key Up Up Up Up Return
for _ in $(seq 1 30); do [[ -e "$shortcut" ]] || break; sleep 0.2; done
[[ -e "$shortcut" ]] && fail "the Startup shortcut is still there"

step "tray menu: the alert settings; a start day of 29 is refused"
settings_file="$run_dir/程序配置.Ini"
alerts_shown() { xdotool search --onlyvisible --name '^提醒设置$' 2>/dev/null | wc -l; }
settings_sum() { md5sum "$settings_file" 2>/dev/null || echo absent; }
wine_tray_click 3
sleep 1
xdotool key Up Up Return
alerts_id=$(wait_for_window '^提醒设置$' --onlyvisible) || fail "the menu item did not open the alert settings"
# Without a window manager wine leaves the X stacking as it was, under the main window: raise it as one would.
xdotool windowraise "$alerts_id"
before=$(settings_sum)
wine_click_client "$alerts_id" 252 35   # the start-day box (its text is 1)
xdotool key End BackSpace BackSpace
xdotool type 29
wine_click_client "$alerts_id" 227 228  # 确定
for _ in $(seq 1 50); do (( $(alerts_shown) == 2 )) && break; sleep 0.1; done
(( $(alerts_shown) == 2 )) || fail "no message box refused the start day"
box=$(xdotool search --onlyvisible --name '^提醒设置$' | grep -vx "$alerts_id" | head -n 1)
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
for _ in $(seq 1 50); do (( $(alerts_shown) == 1 )) && break; sleep 0.1; done
(( $(alerts_shown) == 1 )) || fail "the refusal did not close, or the alert settings closed with it"
[[ "$(settings_sum)" == "$before" ]] || fail "a refused value changed the settings file"
wine_click_client "$alerts_id" 311 228  # 取消
for _ in $(seq 1 50); do (( $(alerts_shown) == 0 )) && break; sleep 0.1; done
(( $(alerts_shown) == 0 )) || fail "取消 did not close the alert settings"

step "a settings file that cannot be saved: a notification from the tray icon"
# Wine shows the icon's notification as a window of its own explorer.exe.
explorer_windows() { xdotool search --onlyvisible --classname explorer.exe 2>/dev/null | wc -l; }
xdotool mousemove --window "$main_id" 200 120   # away from the tray icon and its tip
# Wine shows one balloon at a time: the memory's goes by itself after ten seconds.
for _ in $(seq 1 150); do balloon >/dev/null || break; sleep 0.1; done
sleep 0.5
before=$(explorer_windows)
mv "$run_dir/程序配置.Ini" "$run_dir/settings.kept" && mkdir "$run_dir/程序配置.Ini"  # not a file: no save
wine_click_client "$main_id" 24 184   # the transparency box: the settings are saved at once
for _ in $(seq 1 50); do (( $(explorer_windows) > before )) && break; sleep 0.1; done
(( $(explorer_windows) > before )) || fail "no notification when the settings could not be saved"
rmdir "$run_dir/程序配置.Ini" && mv "$run_dir/settings.kept" "$run_dir/程序配置.Ini"
wine_click_client "$main_id" 24 184

sleep 3  # a few ticks for the history files
step "tray menu: exit, confirmed with Yes"
wine_tray_click 3
sleep 1
xdotool key Up Return
box=$(wait_for_window '^退出警告$' --onlyvisible) || fail "no exit question"
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key --window "$box" Return
for _ in $(seq 1 100); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "the program is still running after the confirmed exit"
set +e; wait "$app_pid"; code=$?; set -e
app_pid=
[[ $code -eq 0 ]] || fail "exit code $code, expected 0"

step "reading the files through GetPrivateProfileStringA"
# The program has ended and its files stay as they are: a reader that wine failed to start is tried again.
dump() { wine_profile_dump "$profile_dump" "$run_dir/$1" "$run_dir/dump.log"; }
dump_failed() { fail "Windows cannot read $1: $(cat "$run_dir/dump.log")"; }
settings=$(dump 程序配置.Ini) || dump_failed 程序配置.Ini
for key in Cpu左边 Cpu顶边 内存左边 内存顶边 接收左边 接收顶边 发送左边 发送顶边 是否透明; do
  grep -q "^$key=" <<<"$settings" || fail "Windows reads no $key in the settings file"
done
for file in Cpu.FDB 内存.FDB 接收.FDB 发送.FDB; do
  text=$(dump "$file") || dump_failed "$file"
  grep -q '^\[最近\]$' <<<"$text" || fail "Windows reads no section 最近 in $file"
  # Every tick adds one count to its hour's slot ("<hour>_A"), in the usage files.
  if [[ $file == Cpu.FDB ]]; then
    grep -q -E '^[0-9]+_A=[1-9]' <<<"$text" || fail "Windows reads no counted hour in $file: $text"
  fi
done
step "passed"
