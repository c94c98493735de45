#!/usr/bin/env bash
# An installer as a Windows user or administrator meets it, in a fresh Wine
# prefix: a silent install, whose every DLL that something installed imports
# is installed too or is Windows' own; the program started from its
# Start-menu shortcut and shown a date, closed by EXIT; then the silent
# uninstall of its Apps & features entry, which says it succeeded once it
# has left no file, folder, shortcut or setting of ours.
#   tests/windows/install.sh BUILD nsis|msi   BUILD holds the packages; needs a display
set -euo pipefail
build=$(cd "$1" && pwd)
. "$(dirname "$0")/installers.sh" "$2"
package=$(echo "$build"/tellwick-*-win64"$package")
[ -f "$package" ] || fail "no $2 package in $build"
snapshot >"$WINEPREFIX/before"

install "$package" || fail "the install failed ($?)"
[ -f "$dir/tellwick.exe" ] || fail "nothing installed in $dir"
shortcut="$menu\Tellwick.lnk"
[ -f "$(wine winepath -u "$shortcut" 2>/dev/null)" ] || fail "no Start-menu shortcut"
entry=$(entries | sed 's/^[^ ]*  //; s/  */ /g')
for value in "DisplayName REG_SZ Tellwick" "DisplayVersion REG_SZ 1.00" "Publisher REG_SZ The Tellwick developers" \
             "UninstallString REG_" "EstimatedSize REG_DWORD"; do
  echo "$entry" | grep -qF "$value" || fail "the Apps & features entry lacks: $value"
done
icon=$(icon)
[ -f "$(wine winepath -u "${icon%,0}" 2>/dev/null)" ] || fail "the Apps & features entry has no icon (${icon:-none})"
echo "installed: $(du -sh "$dir" | cut -f1) in $(find "$dir" -type f | wc -l) files"
# Windows' own: in its system folder, or an API set, which it maps itself.
for pe in "$dir"/*.exe "$dir"/*/*.dll; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$pe" | sed -n 's/^\tDLL Name: //p' | grep -v '^api-ms-win-'); do
    [ -n "$(find "$dir" "$WINEPREFIX/drive_c/windows/system32" -maxdepth 2 -iname "$dll")" ] ||
      fail "${pe#"$dir"/} imports $dll, which is neither installed nor Windows' own"
  done
done

# From the shortcut, as the Start menu starts it; keys go to its window.
wine start "$shortcut"
window=$(program_window) || fail "the installed program showed no window"
xdotool windowfocus --sync "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The second result line, where the weekday appears: 4800 twips down, 360 high.
band() { import -window root -crop "${WIDTH}x24+${X}+$((Y + 320))" "$1"; }
band "$build/install-$2-before.png"
xdotool type --delay 100 29
xdotool key --delay 100 Tab 2 Tab 2 0 0 0 Return
sleep 1
band "$build/install-$2-shown.png"
import -window root "$build/install-$2-screen.png"
xdotool search --name '^Critical Error$' >/dev/null && fail "the date was refused"
changed=$(compare -metric AE "$build/install-$2-before.png" "$build/install-$2-shown.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 100 ] || fail "SHOW put no weekday on the window ($changed pixels changed)"
echo "shown: the weekday's line changed $changed pixels"

close_program

uninstall || fail "the uninstall failed ($?)"
unchanged "$WINEPREFIX/before" "the uninstall, once it returned, left"
echo "uninstalled: nothing left"
