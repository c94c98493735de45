#!/usr/bin/env bash
# Runs every benchmark and prints a table of medians:
#   bench/run.sh [REPEATS]        (default 5 repeats; about a minute each)
# Start-up, memory and CPU are measured on a virtual X display, Tellwick and
# the bare Qt program (bench/bare.cpp) side by side in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
repeats=${1:-5}
tools/setup.sh test libx11-dev libxdamage-dev procps
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null

results=$(mktemp)
trap 'rm -f "$results"' EXIT
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  export XSERVER_PID=$(pgrep -n -f "Xvfb $DISPLAY ")
  for i in $(seq "$1"); do
    for program in tellwick bare; do
      echo "$program $(build-bench/bench/measure 10 build-bench/$([ $program = bare ] && echo bench/)$program)"
    done
  done
' _ "$repeats" 2>/dev/null >"$results"
for i in $(seq 3); do build-bench/bench/show_throughput 2>/dev/null; done >>"$results"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
figure() { grep "^$1 " "$results" | grep -o "$2=[0-9.-]*" | cut -d= -f2 | median; }

printf "%-34s %12s %12s %8s %8s\n" "figure (median of $repeats)" tellwick bare ratio target
for f in first_frame_ms:1.2 peak_rss_kb:1.15 cpu_percent:1.1 xserver_percent:1.1 frames_per_s:-; do
  name=${f%:*} target=${f#*:}
  a=$(figure tellwick "$name") b=$(figure bare "$name")
  printf "%-34s %12s %12s %8s %8s\n" "$name" "$a" "$b" "$(awk -v a="$a" -v b="$b" 'BEGIN { printf (b > 0 ? "%.2f" : "-"), a / b }')" "$target"
done
printf "%-34s %12s\n" "show_throughput dates_per_second" "$(figure show_throughput dates_per_second)"
echo "on: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
