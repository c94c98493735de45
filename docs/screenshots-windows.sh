#!/usr/bin/env bash
# Takes the README's pictures of the Windows program under Wine, after SHOW
# and with a refusal on screen, side by side: as Windows 10 draws it
# (docs/screenshot-windows10.png) and as Windows 11 does
# (docs/screenshot-windows11.png). Builds the program as ./run.sh --windows
# does, inside Debian 13 on another release.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/windows/debian13.sh docs/screenshots-windows.sh
tools/setup.sh windows
TELLWICK_WINDOWS_QT=$(tools/windows/qt.sh)
export TELLWICK_WINDOWS_QT
cmake --preset windows >/dev/null
cmake --build --preset windows --target beside >/dev/null

for version in win10 win11; do
  TELLWICK_WINE_VERSION=$version xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
    set -euo pipefail
    export WINEPREFIX=$(mktemp -d) TELLWICK_WINE_UNMANAGED=1
    trap "wineserver --kill; rm -rf $WINEPREFIX" EXIT
    tools/windows/wine.sh wineboot
    tools/windows/wine.sh build-windows/tellwick.exe &
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "^Which Day" | head -1)
    xdotool windowfocus --sync "$window"
    xdotool key Return # SHOW
    sleep 1
    import -window "$window" "$WINEPREFIX/show.png"
    xdotool key Tab Tab Tab 9 9 # round to the day box, which refuses 99
    refusal=$(timeout 60 xdotool search --sync --onlyvisible --name "^Critical Error$" | head -1)
    sleep 1
    import -window "$refusal" "$WINEPREFIX/refusal.png"
    convert "$WINEPREFIX/show.png" \( "$WINEPREFIX/refusal.png" -background white -gravity west -splice 16x0 \) \
      -gravity center +append -strip "docs/screenshot-windows${1#win}.png"
  ' _ "$version"
done
