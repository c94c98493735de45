#!/usr/bin/env bash
# Runs every benchmark and prints a table of medians, each with its spread:
#   bench/run.sh [REPEATS]        (default 5; about a minute each)
# On a virtual X display, Tellwick and the bare Qt program (bench/bare.cpp)
# take turns: 3 x REPEATS start-ups each, then REPEATS runs of 20 s of
# scrolling each. Both programs and the X server share one core, so that
# each pays for the other's work as a desktop's user would.
set -euo pipefail
cd "$(dirname "$0")/.."
repeats=${1:-5}
tools/setup.sh test libx11-dev libxdamage-dev procps util-linux
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null

results=$(mktemp)
trap 'rm -f "$results"' EXIT
taskset -c 0 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  export XSERVER_PID=$(pgrep -n -f "Xvfb $DISPLAY ")
  measure() { build-bench/bench/measure "$1" build-bench/$([ "$2" = bare ] && echo bench/)$2; }
  for i in $(seq $((3 * $1))); do
    for program in tellwick bare; do echo "start $program $(measure 0.2 $program)"; done
  done
  for i in $(seq "$1"); do
    for program in tellwick bare; do echo "run $program $(measure 20 $program)"; done
  done
' _ "$repeats" 2>/dev/null >"$results"
for i in $(seq 3); do build-bench/bench/show_throughput 2>/dev/null; done >>"$results"

# The median of the values on standard input, with their least and greatest.
spread() {
  sort -g | awk '{ v[NR] = $1 } END { printf "%s (%s-%s)", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[1], v[NR] }'
}
values() { grep "^$1 " "$results" | grep -o " $2=[0-9.-]*" | cut -d= -f2; }

printf "%-22s %-24s %-24s %6s %7s\n" figure tellwick bare ratio target
for f in start:first_frame_ms:1.05 run:peak_rss_kb:1.05 run:cpu_per_kframe_ms:1.1 run:cpu_percent:- \
         run:xserver_percent:- run:frames_per_s:-; do
  IFS=: read -r kind name target <<<"$f"
  a=$(values "$kind tellwick" "$name" | spread) b=$(values "$kind bare" "$name" | spread)
  printf "%-22s %-24s %-24s %6s %7s\n" "$name" "$a" "$b" \
    "$(awk -v a="${a%% *}" -v b="${b%% *}" 'BEGIN { printf (b > 0 ? "%.2f" : "-"), a / b }')" "$target"
done
printf "%-22s %s\n" "show dates_per_second" "$(values show_throughput dates_per_second | spread)"
echo "medians of $((3 * repeats)) start-ups and $repeats runs of 20 s, (least-greatest); on $(nproc) cores," \
  "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), all on core 0"
