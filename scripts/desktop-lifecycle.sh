#!/usr/bin/env bash
# The real program's start and end as a session sees them, on a virtual X display with a tray host:
#  1. all six windows shown, then SIGTERM (the session ending): it ends at once with exit code 0 and its
#     files saved, without asking anything;
#  2. two copies started at the same moment on one folder, twenty times: one records, the other shows
#     that copy's window, says so and ends with exit code 0.
# Usage: scripts/desktop-lifecycle.sh [path/to/quorell]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build/src/gui/qt/quorell}")
source "$here/lib/xvfb.sh"
source "$here/lib/quorell-session.sh"

run_dir=$(mktemp -d)
pids=()
cleanup() { for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done; xvfb_cleanup; rm -rf "$run_dir"; }
trap cleanup EXIT
fail() { echo "desktop lifecycle: FAILED: $*" >&2; exit 1; }
step() { echo "desktop lifecycle: $*"; }

session_prepare "$binary" "$run_dir"
xvfb_start 1280x1024
tray_start

titles=('^Quorell V 1\.0' '^Velkor - Quorell - Cpu使用率监控$' '^Velkor - Quorell - 内存使用率监控$'
        '^Velkor - Quorell - 网络接收监控$' '^Velkor - Quorell - 网络发送监控$' '^Quorell - 趋势统计$')

# --- 1. SIGTERM with every window shown ---------------------------------------------------------
"$run_dir/quorell" >"$run_dir/first.log" 2>&1 &
app_pid=$!; pids+=("$app_pid")
wait_for_window "${titles[0]}" --onlyvisible >/dev/null || fail "the main window did not appear"
# The tray menu: the first Down selects "hide the main window", each further Down the next item
# (separators are skipped): CPU, memory, receive, send, trend. A busy machine may swallow a menu that
# opened late, so each item is chosen again once if its window did not come.
choose_from_tray() {
  tray_icon_click 3
  sleep 0.7
  local keys=() i
  for i in $(seq 1 "$1"); do keys+=(Down); done
  xdotool key "${keys[@]}" Return
}
for downs in 2 3 4 5 6; do
  choose_from_tray "$downs"
  if ! wait_for_window "${titles[$((downs - 1))]}" --onlyvisible >/dev/null; then
    xdotool key Escape
    choose_from_tray "$downs"
  fi
done
for title in "${titles[@]}"; do
  wait_for_window "$title" --onlyvisible >/dev/null || fail "not shown: $title"
done
step "all six windows shown"
sleep 2  # a few ticks to save
started=$(date +%s%N)
kill -TERM "$app_pid"
for _ in $(seq 1 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.01; done
kill -0 "$app_pid" 2>/dev/null && fail "still running a second after SIGTERM"
set +e; wait "$app_pid"; code=$?; set -e
elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
[[ $code -eq 0 ]] || fail "exit code $code after SIGTERM, expected 0"
for file in Cpu.FDB 内存.FDB 接收.FDB 发送.FDB 程序配置.Ini; do
  [[ -s "$run_dir/$file" ]] || fail "$file was not saved at SIGTERM"
done
seconds=$(iconv -f GBK -t UTF-8 "$run_dir/接收.FDB" | tr -d '\r' | sed -n 's/^秒数=//p')
(( seconds >= 2 )) || fail "the receive history holds $seconds seconds"
[[ -z $(xdotool search --name "${titles[0]}" 2>/dev/null) ]] || fail "windows left behind"
step "SIGTERM ended it in ${elapsed_ms} ms with exit code 0 and every file saved"

# --- 2. Two copies at once ----------------------------------------------------------------------
for round in $(seq 1 20); do
  "$run_dir/quorell" >"$run_dir/a.log" 2>&1 & a=$!
  "$run_dir/quorell" >"$run_dir/b.log" 2>&1 & b=$!
  pids+=("$a" "$b")
  ended=
  for _ in $(seq 1 100); do
    if ! kill -0 "$a" 2>/dev/null; then ended=a; break; fi
    if ! kill -0 "$b" 2>/dev/null; then ended=b; break; fi
    sleep 0.05
  done
  [[ -n $ended ]] || fail "round $round: both copies still run after five seconds"
  if [[ $ended == a ]]; then gone=$a; kept=$b; log=a.log; else gone=$b; kept=$a; log=b.log; fi
  set +e; wait "$gone"; code=$?; set -e
  [[ $code -eq 0 ]] || fail "round $round: the second copy ended with $code: $(cat "$run_dir/$log")"
  grep -q 'already running; showed its window' "$run_dir/$log" || fail "round $round: no message: $(cat "$run_dir/$log")"
  sleep 0.3
  kill -0 "$kept" 2>/dev/null || fail "round $round: the first copy did not stay"
  kill -TERM "$kept"
  set +e; wait "$kept"; code=$?; set -e
  [[ $code -eq 0 ]] || fail "round $round: the recording copy ended with $code"
done
step "twenty double starts: one copy recorded each time, the other showed its window and ended"
step "passed"
