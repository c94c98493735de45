#!/usr/bin/env bash
# Runs build/tellwick under valgrind's memcheck on a virtual display through
# start-up, a SHOW (Enter in the day box) and EXIT (Tab, Tab, Space), then
# reports the errors whose innermost frame, allocators and the C and C++
# libraries aside, lies in the program's own code. Errors that Qt, GLib,
# fontconfig or D-Bus report about themselves are counted apart, not failed.
#   tools/valgrind-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh test
cmake --preset default >/dev/null
cmake --build --preset default --target tellwick >/dev/null
log=$(mktemp)

xvfb-run -a bash -c '
  valgrind --leak-check=full --errors-for-leak-kinds=definite --num-callers=40 --log-file="$0" build/tellwick &
  pid=$!
  xdotool search --sync --name "Which Day" >/dev/null
  sleep 3; xdotool key Return
  sleep 2; xdotool key Tab Tab space
  wait $pid
' "$log"

# A frame is ours when it names one of our source files or our binary.
ours=$(find src -name '*.cpp' -o -name '*.h' | xargs -n1 basename | sed 's/[.]/[.]/' | paste -sd'|')
awk -v ours="[(]($ours):[0-9]+[)]|/tellwick[)]" '
  /== .*(Invalid (read|write|free)|uninitialised|Mismatched|overlap|Syscall param|are definitely lost)/ { inerror = 1; decided = 0; next }
  inerror && /== +(at|by) / {
    if (decided) next
    if ($0 ~ /vgpreload|libstdc\+\+|libc\.so|ld-linux/) next
    decided = 1
    if ($0 ~ ours) { count++; print "in our code:", $0 } else { theirs++ }
    next
  }
  /== *$/ { inerror = 0 }
  END { printf "valgrind: %d errors in the program'"'"'s own code, %d in Qt and the system libraries\n", count, theirs; exit count > 0 }
' "$log"
grep -E "ERROR SUMMARY" "$log" | tail -1
rm -f "$log"
