#!/usr/bin/env bash
# An installer of a later version over an earlier one, silently, in a fresh
# Wine prefix, with versions.sh's two builds: 1.00, carrying a file 1.01
# lacks, then 1.01, as a user without administrator rights. 1.00's program
# is read-only, which is no reason to refuse. While 1.00 runs, neither the
# install of 1.01 nor the uninstall of 1.00 changes anything, and each says
# it failed; a copy of the program started from elsewhere does not count.
# Once 1.00 is closed, 1.01 replaces it, with one Apps & features entry and
# no file of 1.00's left; installed again it stays one; and its uninstall
# leaves nothing.
#   tests/windows/upgrade.sh BUILD nsis|msi   BUILD holds versions/; needs a display
set -euo pipefail
build=$(cd "$1" && pwd)
. "$(dirname "$0")/installers.sh" "$2"
versions "$build"
# A silent install's status when it refuses: 2, or Windows Installer's
# 1603, of which a Unix process's status keeps the low 8 bits.
refused=$([ "$2" = nsis ] && echo 2 || echo $((1603 % 256)))
# The status of a step that must fail: fails the test if it succeeds.
status() { local s=0; "$@" || s=$?; [ $s -ne 0 ] || fail "$* succeeded"; echo $s; }
snapshot >"$HOME/before"

install "$earlier" || fail "1.00's install failed ($?)"
expect "1.00 1.00-program 1.00-file" "1.00 installed"
chmod a-w "$dir/tellwick.exe" # read-only to Windows

wine "$dir/tellwick.exe" &
program_window >/dev/null || fail "1.00 showed no window"
snapshot >"$HOME/earlier"
s=$(status install "$later")
[ "$s" = "$refused" ] || fail "1.01 over the running 1.00 failed with $s, not $refused"
unchanged "$HOME/earlier" "1.01 over the running 1.00 changed"
s=$(status uninstall)
unchanged "$HOME/earlier" "the uninstall of the running 1.00 ($s) changed"
echo "while 1.00 runs: its upgrade fails ($refused) and its uninstall fails ($s), changing nothing"
close_program

wine "$build/tellwick.exe" & # the program built, a copy beside its DLLs as the zip holds it
program_window >/dev/null || fail "the copy showed no window"
install "$later" || fail "1.01 over the closed, read-only 1.00 failed ($?) beside a copy of the program"
expect "1.01 1.01-program" "1.01 over 1.00"
close_program
install "$later" || fail "1.01 over itself failed ($?)"
expect "1.01 1.01-program" "1.01 over 1.01"

uninstall || fail "the uninstall failed ($?)"
unchanged "$HOME/before" "the uninstall left"
echo "1.01 over 1.00, then uninstalled: nothing left"
