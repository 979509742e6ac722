#!/usr/bin/env bash
# Builds the benchmarks (Release) and prints every figure beside its target with the ratio
# figure/target. A cost (time, CPU, memory, growth) meets its target at a ratio up to 1, a rate
# from 1 up; records lost must be none. Never part of the test suite: the figures depend on the machine and its load.
# Usage: bench/run.sh [build-dir]   (default /tmp/veyra-build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-/tmp/veyra-build-bench}
export QT_QPA_PLATFORM=offscreen

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEYRA_BENCH=ON -DVEYRA_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target veyra_exchange_bench veyra_list_end_bench veyractl veyra_stream_bench veyra_app_bench >/dev/null

figures=$(mktemp)
trap 'rm -f "$figures"' EXIT
echo "== exchange overhead (2,000 exchanges on a pty, then 1,000 pairs back to back)"
"$build/bench/veyra_exchange_bench" 2000 | tee -a "$figures"
echo "== the same through ser2net on 127.0.0.1: raw TCP, then RFC 2217"
"$build/bench/veyra_exchange_bench" 2000 tcp | tee -a "$figures"
"$build/bench/veyra_exchange_bench" 2000 rfc2217 | tee -a "$figures"
echo "== lists of known length from a host paced at 9600 baud (20 reads each; veyractl 5 runs each)"
"$build/bench/veyra_list_end_bench" 20 "$build/cli/veyractl" | tee -a "$figures"
echo "== stream capacity (history dialog, sensors list page)"
"$build/bench/veyra_stream_bench" | tee -a "$figures"
echo "== idle CPU over 10 s, port open"
"$build/bench/veyra_app_bench" idle | tee -a "$figures"
echo "== start-up and memory"
"$build/bench/veyra_app_bench" startup | tee -a "$figures"

# name target unit kind(cost|rate|none: must be 0)
targets='
exchange_overhead_median 0.5 ms cost
exchange_overhead_p99 2 ms cost
back_to_back_gap_median 0.5 ms cost
back_to_back_gap_p99 2 ms cost
tcp_exchange_overhead_median 0.5 ms cost
tcp_exchange_overhead_p99 1 ms cost
rfc2217_exchange_overhead_median 0.5 ms cost
rfc2217_exchange_overhead_p99 1 ms cost
phones_list_end_frames_max 2 frames cost
timers_list_end_frames_max 2 frames cost
history_per_s_100 8700 records/s rate
history_per_s_1000 8700 records/s rate
history_per_s_10000 8700 records/s rate
history_cost_growth 1.5 x cost
history_lost_10000 0 records none
sensors_per_s_100 8700 records/s rate
sensors_per_s_1000 8700 records/s rate
sensors_per_s_10000 8700 records/s rate
sensors_cost_growth 1.5 x cost
sensors_lost_10000 0 records none
idle_cpu_percent 0.1 % cost
startup_median 0.5 s cost
rss_after_every_window 80 MB cost
'
echo
echo "== figures against targets (ratio = figure / target)"
printf '%-26s %22s %22s %8s  %s\n' figure measured target ratio verdict
status=0
while read -r name target unit kind; do
  [ -n "$name" ] || continue
  value=$(awk -v n="$name" '$1 == "figure" && $2 == n { print $3 }' "$figures" | tail -n 1)
  if [ -z "$value" ]; then
    printf '%-26s %22s %22s %8s  %s\n' "$name" "-" "$target $unit" "-" "not measured"
    status=1
    continue
  fi
  awk -v n="$name" -v v="$value" -v t="$target" -v u="$unit" -v k="$kind" 'BEGIN {
    if (k == "none") {
      printf "%-26s %22s %22s %8s  %s\n", n, v " " u, "0 " u, "-", v == 0 ? "meets" : "MISSES"
      exit
    }
    r = v / t
    ok = (k == "cost") ? (r <= 1) : (r >= 1)
    printf "%-26s %22s %22s %8.3f  %s\n", n, sprintf("%.4g %s", v, u), (k == "cost" ? "< " : ">= ") t " " u, r,
      ok ? "meets" : "MISSES"
  }'
done <<<"$targets"
exit $status
