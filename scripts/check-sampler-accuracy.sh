#!/usr/bin/env bash
# Compares the CPU and memory samplers with the system's own tools on this machine:
#  - CPU: under `stress-ng --cpu 1 --cpu-load 50`, SampleCpuUsage once a second against `mpstat 1`
#    (usage = 100 - %idle - %iowait) over the same seconds; target: means within 2 points.
#  - Memory: SampleMemory against `free -b` (used = total - available); target: exact.
# Needs stress-ng and sysstat (apt-get install stress-ng sysstat). Not part of the test run.
# Usage: scripts/check-sampler-accuracy.sh [seconds]    (build directory: $QUORELL_BUILD_DIR or build-accuracy)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build_dir=${QUORELL_BUILD_DIR:-build-accuracy}

for tool in stress-ng mpstat free; do
  command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install stress-ng sysstat procps)" >&2; exit 1; }
done

log=$(mktemp)
if ! { [[ -f "$build_dir/CMakeCache.txt" ]] ||
       cmake -S . -B "$build_dir" -DQUORELL_BUILD_TESTS=OFF -DQUORELL_BUILD_GUI=OFF; } >"$log" 2>&1 ||
   ! cmake --build "$build_dir" -j2 --target quorell_sampling quorell_platform quorell_runtime >>"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
rm -f "$log"
probe="$build_dir/sampler_probe"
g++ -std=c++20 -O2 -Wall -Wextra -I src bench/sampler_probe.cpp \
  "$build_dir/src/libquorell_sampling.a" "$build_dir/src/libquorell_platform.a" \
  "$build_dir/src/libquorell_runtime.a" "$build_dir/src/libquorell_platform.a" -o "$probe"

work=$(mktemp -d)
trap 'kill "${stress_pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

echo "== CPU: $seconds s under stress-ng --cpu 1 --cpu-load 50 on $(nproc) processors"
stress-ng --cpu 1 --cpu-load 50 --timeout $((seconds + 10))s >/dev/null 2>&1 &
stress_pid=$!
sleep 3  # let the load settle
LC_ALL=C S_TIME_FORMAT=ISO mpstat 1 "$seconds" >"$work/mpstat.txt" &
mpstat_pid=$!
"$probe" cpu "$seconds" >"$work/probe.txt"
wait "$mpstat_pid"
kill "$stress_pid" 2>/dev/null || true
wait "$stress_pid" 2>/dev/null || true

# mpstat: one "all" line per second (the Average line excluded); find the columns from its header.
awk '/%idle/ && !cols { for (i = 1; i <= NF; i++) { if ($i == "%idle") idle = i; if ($i == "%iowait") io = i }; cols = 1; next }
     cols && $2 == "all" && $1 != "Average:" { printf "%.2f\n", 100 - $idle - $io }' "$work/mpstat.txt" >"$work/mpstat_usage.txt"
awk '{ print $2 }' "$work/probe.txt" >"$work/probe_usage.txt"

paste "$work/probe_usage.txt" "$work/mpstat_usage.txt" | awk '
  NF == 2 { n++; p += $1; m += $2; d = $1 - $2; ad += (d < 0 ? -d : d); if ((d < 0 ? -d : d) > mx) mx = (d < 0 ? -d : d)
            printf "  second %2d: sampler %3d %%   mpstat %6.2f %%\n", n, $1, $2 }
  END { if (n == 0) { print "no samples"; exit 1 }
        printf "seconds compared: %d\nmean sampler %.2f %%, mean mpstat %.2f %%, difference of means %.2f points\n", n, p / n, m / n, p / n - m / n
        printf "mean absolute per-second difference %.2f points, largest %.2f\n", ad / n, mx
        diff = p / n - m / n; if (diff < 0) diff = -diff
        printf "CPU target (means within 2 points): %s\n", diff <= 2 ? "met" : "NOT met" }'

echo "== Memory: SampleMemory against free -b"
# Memory moves while other programs run, so a reading counts only when free -b gave the same
# answer just before and just after it.
free_reading() { free -b | awk '/^Mem:/ { print $2, $7 }'; }
stable=0
exact=0
for i in $(seq 20); do
  before=$(free_reading)
  read -r load megabytes used_bytes < <("$probe" memory)
  after=$(free_reading)
  if [[ "$before" != "$after" ]]; then sleep 0.2; continue; fi
  read -r total available <<<"$before"
  free_megabytes=$(( (total - available) / 1024000 ))
  free_load=$(( (total - available) * 100 / total ))
  stable=$((stable + 1))
  printf "  sampler %d MB, %d %% (%d bytes used)   free -b %d MB, %d %% (%d bytes used)\n" \
    "$megabytes" "$load" "$used_bytes" "$free_megabytes" "$free_load" "$((total - available))"
  if [[ $megabytes -eq $free_megabytes && $load -eq $free_load && $used_bytes -eq $((total - available)) ]]; then
    exact=$((exact + 1))
  fi
  sleep 0.2
done
echo "memory readings equal to free -b: $exact of $stable steady readings"
