#!/usr/bin/env bash
# The installer as a Windows user meets it, in a fresh Wine prefix: a silent
# install for the current user, the program started from its Start-menu
# shortcut and shown a date, closed by EXIT, then a silent uninstall that
# leaves no file, folder, shortcut or registry key of ours.
#   tests/windows/install.sh BUILD   BUILD holds the installer; needs a display
set -euo pipefail
build=$(cd "$1" && pwd)
setup=$(echo "$build"/tellwick-*-win64-setup.exe)
[ -f "$setup" ] || { echo "no installer in $build" >&2; exit 1; }
wine=$(cd "$(dirname "$0")/../../tools/windows" && pwd)/wine.sh # makes the prefix on first use
WINEPREFIX=$(mktemp -d)
export WINEPREFIX
trap 'wineserver --kill 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
"$wine" wineboot

user=$WINEPREFIX/drive_c/users/$(id -un)
dir=$user/AppData/Local/Programs/Tellwick
shortcut="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tellwick.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tellwick'
# Everything in the prefix's drive but the temporary files: the uninstaller
# runs from a copy of itself there, which Windows removes at its next start.
contents() { find "$WINEPREFIX/drive_c" -path "$user/Temp" -prune -o -path "$user/AppData/Local/Temp" -prune -o -print | sort; }
contents >"$WINEPREFIX/before"

"$wine" "$setup" /S
wineserver --wait
[ -f "$dir/tellwick.exe" ] || fail "nothing installed in $dir"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
entry=$("$wine" reg query "$key" | tr -d '\r')
for value in "DisplayName REG_SZ Tellwick" "DisplayVersion REG_SZ 1.00" "Publisher REG_SZ The Tellwick developers" \
             "DisplayIcon REG_SZ C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Tellwick\\tellwick.exe,0" \
             "UninstallString REG_SZ \"C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Tellwick\\Uninstall.exe\"" \
             "EstimatedSize REG_DWORD"; do
  echo "$entry" | sed 's/^ *//; s/  */ /g' | grep -qF "$value" || fail "the uninstall entry lacks: $value"
done
echo "installed: $(du -sh "$dir" | cut -f1) in $(find "$dir" -type f | wc -l) files"

# From the shortcut, as the Start menu starts it; keys go to its window.
"$wine" start "C:\\users\\$(id -un)\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Tellwick.lnk"
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Which Day\.{9}\?$' | head -1) ||
  fail "the installed program showed no window"
xdotool windowfocus --sync "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The second result line, where the weekday appears: 4800 twips down, 360 high.
band() { import -window root -crop "${WIDTH}x24+${X}+$((Y + 320))" "$1"; }
band "$build/install-before.png"
xdotool type --delay 100 29
xdotool key --delay 100 Tab 2 Tab 2 0 0 0 Return
sleep 1
band "$build/install-shown.png"
import -window root "$build/install-screen.png"
xdotool search --name '^Critical Error$' >/dev/null && fail "the date was refused"
changed=$(compare -metric AE "$build/install-before.png" "$build/install-shown.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 100 ] || fail "SHOW put no weekday on the window ($changed pixels changed)"
echo "shown: the weekday's line changed $changed pixels"

# EXIT, in the middle of its button: 3911 + 1455 / 2 and 3480 + 495 / 2 twips.
xdotool mousemove --window "$window" 309 248 click 1
timeout 30 bash -c "while xdotool search --name '^Which Day' >/dev/null; do sleep 0.2; done" ||
  fail "EXIT did not end the program"

"$wine" "$dir/Uninstall.exe" /S
wineserver --wait # the uninstaller goes on from a copy of itself
contents >"$WINEPREFIX/after"
left=$(diff "$WINEPREFIX/before" "$WINEPREFIX/after" || true)
[ -z "$left" ] || fail "the uninstall left: $left"
"$wine" reg query "$key" >/dev/null 2>&1 && fail "the uninstall left its registry key"
echo "uninstalled: nothing left"
