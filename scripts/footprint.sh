#!/usr/bin/env bash
# Measures Quorell's own CPU time and resident memory over a minute of steady running with all six windows
# shown on a virtual display, and another small desktop monitor (gkrellm) the same way in the same run.
# Usage: scripts/footprint.sh [path/to/quorell] [seconds] [warm-up seconds]   (needs gkrellm for the comparison)
# The default warm-up of 10 s measures while the graphs fill; 320 s measures them scrolling (full).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build-run/src/gui/qt/quorell}")
seconds=${2:-60}
warmup=${3:-10}
source "$here/lib/xvfb.sh"
source "$here/lib/quorell-session.sh"
run_dir=$(mktemp -d)
other_pid=
trap 'kill ${app_pid:-} ${other_pid:-} 2>/dev/null; xvfb_cleanup; rm -rf "$run_dir"' EXIT

# CPU time of a process in milliseconds: the scheduler's nanosecond count summed over its threads, or
# user + system time in clock ticks where the kernel keeps no such count.
cpu_ms() {
  if compgen -G "/proc/$1/task/*/schedstat" >/dev/null; then
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ns += $1} END {printf "%d\n", ns / 1000000}'
  else
    local fields; read -r -a fields < <(sed 's/^.*) //' "/proc/$1/stat")
    echo $(( (fields[11] + fields[12]) * 1000 / $(getconf CLK_TCK) ))
  fi
}
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

xvfb_start 1280x800
tray_start
session_start "$binary" "$run_dir"
if command -v gkrellm >/dev/null; then
  HOME="$run_dir" gkrellm >/dev/null 2>&1 &
  other_pid=$!
fi
sleep "$warmup"  # past start-up
q0=$(cpu_ms "$app_pid"); o0=; [[ -n "$other_pid" ]] && o0=$(cpu_ms "$other_pid")
sleep "$seconds"
q1=$(cpu_ms "$app_pid"); o1=; [[ -n "$other_pid" ]] && o1=$(cpu_ms "$other_pid")
printf 'quorell: %d ms CPU in %d s (%d ms per minute), RSS %d kB\n' $((q1 - q0)) "$seconds" \
  $(( (q1 - q0) * 60 / seconds )) "$(rss_kb "$app_pid")"
if [[ -n "$other_pid" ]]; then
  printf 'gkrellm: %d ms CPU in %d s (%d ms per minute), RSS %d kB\n' $((o1 - o0)) "$seconds" \
    $(( (o1 - o0) * 60 / seconds )) "$(rss_kb "$other_pid")"
fi
