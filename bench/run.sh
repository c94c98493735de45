#!/usr/bin/env bash
# Runs every benchmark and prints a table of medians, each with its spread:
#   bench/run.sh [REPEATS]              (default 5; about a minute each)
#   bench/run.sh --windows [REPEATS]    the Windows builds under Wine
# On a virtual X display, Tellwick and the bare Qt program (bench/bare.cpp)
# take turns: 3 x REPEATS start-ups each, then REPEATS runs of 20 s of
# scrolling each, and on Linux REPEATS of 20 s out of sight, unmapped as a
# minimised window is and covered. The programs and the servers they draw through
# share one core, so that each pays for the other's work as a user would.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=
export BENCH_TREE=build-bench
if [ "${1:-}" = --windows ]; then
  . tools/windows/debian13.sh bench/run.sh "$@"
  windows=1
  BENCH_TREE=build-bench-windows # Debian 13's own: build-bench may be this machine's release's
  shift
fi
repeats=${1:-5}
tools/setup.sh test libx11-dev libxdamage-dev procps util-linux
cmake --preset bench -B "$BENCH_TREE" >/dev/null
cmake --build "$BENCH_TREE" --target tellwick bare measure show_throughput >/dev/null
programs=("$BENCH_TREE/tellwick" "$BENCH_TREE/bench/bare")
if [ -n "$windows" ]; then
  tools/setup.sh windows
  TELLWICK_WINDOWS_QT=$(tools/windows/qt.sh)
  export TELLWICK_WINDOWS_QT
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target beside bare package >/dev/null
  # Wine drawing its own frames, as Windows does: a bare X server has no
  # window manager to wait for.
  export WINEPREFIX=$PWD/$BENCH_TREE/wine TELLWICK_WINE_UNMANAGED=1
  programs=("tools/windows/wine.sh build-windows/tellwick.exe" "tools/windows/wine.sh build-windows/bare.exe")
fi

results=$(mktemp)
trap 'rm -f "$results"' EXIT
taskset -c 0 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  servers=$(pgrep -n -f "Xvfb $DISPLAY ")
  if [ -n "$WINEPREFIX" ]; then
    tools/windows/wine.sh wineboot >/dev/null # the prefix, made once
    wineserver -p # kept between the programs, as Windows keeps its own
    servers+=" $(pgrep -n wineserver)"
  fi
  measure() { SERVER_PIDS=$servers "$BENCH_TREE/bench/measure" "$@"; }
  for i in $(seq $((3 * $1))); do
    echo "start tellwick $(measure 0.2 $2)"
    echo "start bare $(measure 0.2 $3)"
  done
  for i in $(seq "$1"); do
    echo "run tellwick $(measure 20 $2)"
    echo "run bare $(measure 20 $3)"
  done
  # Wine has no way to be told its window is out of sight without a window
  # manager, and Windows tells no program that it is covered.
  for i in $(seq "$1"); do
    [ -n "$WINEPREFIX" ] && break
    for way in unmapped covered; do echo "$way tellwick $(OUT_OF_SIGHT=$way measure 20 $2)"; done
  done
  [ -z "$WINEPREFIX" ] || wineserver -k
' _ "$repeats" "${programs[0]}" "${programs[1]}" 2>/dev/null >"$results"
[ -n "$windows" ] || for i in $(seq 3); do "$BENCH_TREE/bench/show_throughput" 2>/dev/null; done >>"$results"

# The median of the values on standard input, with their least and greatest.
spread() {
  sort -g | awk '{ v[NR] = $1 } END { printf "%s (%s-%s)", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[1], v[NR] }'
}
values() { grep "^$1 " "$results" | grep -o " $2=[0-9.-]*" | cut -d= -f2; }

printf "%-22s %-24s %-24s %6s %7s\n" figure tellwick bare ratio target
for f in start:first_frame_ms:1.05 run:peak_rss_kb:1.05 run:cpu_per_kframe_ms:1.1 run:cpu_percent:- \
         run:server_percent:- run:frames_per_s:-; do
  IFS=: read -r kind name target <<<"$f"
  a=$(values "$kind tellwick" "$name" | spread) b=$(values "$kind bare" "$name" | spread)
  printf "%-22s %-24s %-24s %6s %7s\n" "$name" "$a" "$b" \
    "$(awk -v a="${a%% *}" -v b="${b%% *}" 'BEGIN { printf (b > 0 ? "%.2f" : "-"), a / b }')" "$target"
done
for way in $([ -n "$windows" ] || echo unmapped covered); do
  printf "%-22s %-24s %-24s %6s %7s\n" "$way cpu+server %" \
    "$(grep "^$way tellwick " "$results" | awk '{ for (i = 3; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
                                             print v["cpu_percent"] + v["server_percent"] }' | spread)" - - 0.2
done
if [ -n "$windows" ]; then
  # What a user downloads and what lands on the disk, in bytes.
  installed=$(mktemp -d)
  trap 'rm -rf "$results" "$installed"' EXIT
  unzip -q build-windows/tellwick-*-win64.zip -d "$installed"
  printf "%-22s %s\n" "tellwick.exe" "$(stat -c %s "$installed"/*/tellwick.exe)" \
    "installed folder" "$(du -sb "$installed" | cut -f1) in $(find "$installed" -type f | wc -l) files"
  for package in build-windows/tellwick-*-win64{-setup.exe,.msi,.zip}; do
    printf "%-22s %s\n" "${package##*/}" "$(stat -c %s "$package")"
  done
else
  printf "%-22s %s\n" "show dates_per_second" "$(values show_throughput dates_per_second | spread)"
fi
echo "medians of $((3 * repeats)) start-ups and $repeats runs of 20 s, (least-greatest); on $(nproc) cores," \
  "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), all on core 0"
