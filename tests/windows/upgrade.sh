#!/usr/bin/env bash
# An installer of a later version over an earlier one, in a fresh Wine
# prefix, with versions.sh's two builds: 1.00, carrying a file 1.01 lacks,
# then 1.01. Over the running 1.00 the silent install either ends it or
# fails and changes nothing; once 1.00 is closed, 1.01 replaces it, with
# one Apps & features entry and no file of 1.00's left; installed again it
# stays one; and its uninstall leaves nothing.
#   tests/windows/upgrade.sh BUILD nsis|msi   BUILD holds versions/; needs a display
set -euo pipefail
build=$(cd "$1" && pwd)
. "$(dirname "$0")/installers.sh" "$2"
earlier=$(echo "$build"/versions/earlier/tellwick-1.00-win64"$package")
later=$(echo "$build"/versions/later/tellwick-1.01-win64"$package")
[ -f "$earlier" ] && [ -f "$later" ] || fail "versions.sh made no $2 packages in $build/versions"
# The versions of the Apps & features entries named Tellwick, and whose
# files are installed: the program's, and the file only 1.00 has.
installed() {
  echo "$(entries | awk '$2 == "DisplayVersion" { print $4 }' | sort | xargs)" \
       "$(cmp -s "$dir/tellwick.exe" "$build/versions/earlier.exe" && echo 1.00-program)" \
       "$(cmp -s "$dir/tellwick.exe" "$build/versions/later.exe" && echo 1.01-program)" \
       "$( [ -e "$dir/only-1.00.txt" ] && echo 1.00-file)" | xargs
}
expect() { [ "$(installed)" = "$1" ] || fail "$2: installed is '$(installed)', not '$1'"; }
snapshot >"$WINEPREFIX/before"

install "$earlier"
wineserver --wait
expect "1.00 1.00-program 1.00-file" "1.00 installed"

"$wine" "$dir/tellwick.exe" &
running=$!
timeout 60 xdotool search --sync --onlyvisible --name '^Which Day\.{9}\?$' >/dev/null || fail "1.00 showed no window"
status=0
install "$later" || status=$?
if [ $status -eq 0 ]; then
  kill -0 $running 2>/dev/null && fail "1.01 was installed while 1.00 ran, and said it succeeded"
  wineserver --wait
  expect "1.01 1.01-program" "1.01 over the running 1.00, which it ended"
  echo "over the running 1.00: it was ended, and 1.01 installed"
else
  expect "1.00 1.00-program 1.00-file" "1.01 over the running 1.00 failed ($status)"
  echo "over the running 1.00: failed ($status), 1.00 left as it was"
  kill $running
  wait $running || true
  wineserver --wait
  install "$later"
  wineserver --wait
  expect "1.01 1.01-program" "1.01 over 1.00"
fi
install "$later" || true # installed again: still one
wineserver --wait
expect "1.01 1.01-program" "1.01 over 1.01"

uninstall
snapshot >"$WINEPREFIX/after"
left=$(diff "$WINEPREFIX/before" "$WINEPREFIX/after" || true)
[ -z "$left" ] || fail "the uninstall left: $left"
echo "1.01 over 1.00, then uninstalled: nothing left"
