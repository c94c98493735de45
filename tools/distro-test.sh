#!/usr/bin/env bash
# Runs the README's test command on a fresh clone of this repository's HEAD
# inside a minimal root of another Debian release (tools/root.sh), as a new
# user there would:
#   tools/distro-test.sh SUITE [--sanitize]     SUITE: bookworm, trixie, testing...
# Needs root. The whole output goes to SUITE.log beside the root; the
# ctest summary is printed.
set -euo pipefail
suite=${1:?usage: tools/distro-test.sh SUITE [--sanitize]}
shift
project=$(cd "$(dirname "$0")/.." && pwd)
root=$("$project/tools/root.sh" "$suite")
log=$root.log

rm -rf "$root/root/tellwick"
git clone --quiet "$project" "$root/root/tellwick"
"$project/tools/root.sh" "$suite" -- bash -c 'cd /root/tellwick && ./test.sh "$@"' test.sh "$@" >"$log" 2>&1 || true

# The ctest summary: each test's line, then the totals and what failed or did not run.
grep -E '^ *[0-9]+/[0-9]+ Test' "$log" && sed -n '/tests passed/,$p' "$log" | grep -v '^$' ||
  { echo "no test ran on $suite; the end of $log:"; tail -30 "$log"; exit 1; }
grep -q '100% tests passed' "$log" && ! grep -qF '***Skipped' "$log" # all it needs is installed there
