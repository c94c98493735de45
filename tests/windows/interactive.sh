#!/usr/bin/env bash
# An installer and an uninstall as a user meets them while Tellwick runs,
# pressing their buttons, in a fresh Wine prefix with versions.sh's two
# builds. Over the running 1.00, the install of 1.01 asks for it to be
# closed: Retry while it still runs asks again, and Cancel leaves the old
# install, its entry and its files exactly as they were. Asked again, Retry
# once the program is closed goes on, and 1.01 is installed. Its uninstall
# over the running 1.01 asks as well: Cancel leaves it all and says so in
# its status; Retry once it is closed removes everything.
#   tests/windows/interactive.sh BUILD nsis|msi   BUILD holds versions/; needs a display
set -euo pipefail
build=$(cd "$1" && pwd)
. "$(dirname "$0")/installers.sh" "$2"
versions "$build"
snapshot >"$HOME/before"

# The question, "Tellwick is running. Close it, then press Retry.", in a box
# titled $1 that is not the one this installer or uninstaller showed last
# (another process's may have the same X window id); and the answer, pressed
# on its keyboard.
asked=
question() {
  local box
  for _ in $(seq 300); do
    box=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx "${asked:-none}" | head -1) && break
    sleep 0.2
  done
  [ -n "$box" ] || fail "$2 did not ask for Tellwick to be closed"
  asked=$box
  xdotool windowfocus --sync "$box"
}
answer() { xdotool key --delay 200 "$1"; sleep 1; }
# The status of the installer or uninstaller whose process is $1, once it
# has ended by itself.
ended() {
  timeout 60 bash -c "while kill -0 $1 2>/dev/null; do sleep 0.2; done" || fail "the $2 did not end"
  wait "$1"
}
# How each installer asks, and the keys that take it through its pages:
# the folder page's Install, the confirmation's Uninstall; on the last
# page, Run Tellwick unticked, then Finish or Close; or, once cancelled,
# the page that says so closed.
if [ "$kind" = nsis ]; then
  setup='Tellwick Setup' removal='Tellwick Uninstall'
  start_install() { wine "$1" & }
  start_uninstall() {
    mapfile -t words < <(command_words "$(value UninstallString)")
    wine "${words[@]}" &
  }
  to_work() { timeout 60 xdotool search --sync --onlyvisible --name "^$1 \$" >/dev/null; sleep 1; xdotool key Return; }
  finish() { sleep 3; xdotool key space Return; }
  closed() { sleep 2; xdotool key Return; }
else # Windows Installer asks in its own name, and has no pages here
  setup='Windows Installer' removal='Windows Installer'
  start_install() { wine msiexec /i "$1" & }
  start_uninstall() { wine msiexec /x "$(product_code)" & }
  to_work() { :; }
  finish() { :; }
  closed() { :; }
fi

install "$earlier" || fail "1.00's install failed ($?)"
wine "$dir/tellwick.exe" &
program_window >/dev/null || fail "1.00 showed no window"
snapshot >"$HOME/earlier"

asked=
start_install "$later"
installer=$!
to_work "$setup"
question "$setup" install
answer Return # Retry, while it runs
question "$setup" install
answer Escape # Cancel
closed
status=0
ended $installer install || status=$?
[ $status -ne 0 ] || fail "the install over the running 1.00, cancelled, said it succeeded"
unchanged "$HOME/earlier" "the install over the running 1.00, cancelled, changed"
echo "over the running 1.00: asked, asked again on Retry, and Cancel ($status) left it as it was"

asked=
start_install "$later"
installer=$!
to_work "$setup"
question "$setup" install
close_program
answer Return # Retry, now that it is closed
finish
ended $installer install || fail "the install, retried once 1.00 was closed, failed ($?)"
expect "1.01 1.01-program" "1.01, retried once 1.00 was closed"
echo "closed, Retry went on: 1.01 installed"

wine "$dir/tellwick.exe" &
program_window >/dev/null || fail "1.01 showed no window"
snapshot >"$HOME/later"
asked=
start_uninstall
uninstaller=$!
to_work "$removal"
question "$removal" uninstall
answer Escape # Cancel
closed
status=0
ended $uninstaller uninstall || status=$?
[ $status -ne 0 ] || fail "the uninstall of the running 1.01, cancelled, said it succeeded"
unchanged "$HOME/later" "the uninstall of the running 1.01, cancelled, changed"

asked=
start_uninstall
uninstaller=$!
to_work "$removal"
question "$removal" uninstall
close_program
answer Return # Retry
finish
ended $uninstaller uninstall || fail "the uninstall, retried once 1.01 was closed, failed ($?)"
unchanged "$HOME/before" "the uninstall left"
echo "uninstall over the running 1.01: Cancel ($status) left it, Retry once closed removed it all"
