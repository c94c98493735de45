#!/usr/bin/env bash
# Each refusal plays Windows' Critical Stop as it opens, once: Wine plays no
# sound here, so its relay trace shows the call, MessageBeep(MB_ICONHAND),
# while tst_entry opens one refusal per row of a table.
#   tests/windows/sound.sh BUILD   BUILD holds tst_entry.exe; needs a display
set -euo pipefail
build=$(cd "$1" && pwd)
wine=$(cd "$(dirname "$0")/../../tools/windows" && pwd)/wine.sh # makes the prefix on first use
WINEPREFIX=$(mktemp -d)
export WINEPREFIX
trap 'wineserver --kill 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
"$wine" wineboot
wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d user32.MessageBeep /f >/dev/null
WINEDEBUG=+relay QT_QPA_PLATFORM=windows "$wine" "$build/tst_entry.exe" -o -,tap valueAboveLimitIsRefused \
  >"$WINEPREFIX/tap" 2>"$WINEPREFIX/relay" || { cat "$WINEPREFIX/tap"; exit 1; }
refusals=$(grep -c '^ok .* - valueAboveLimitIsRefused(' "$WINEPREFIX/tap")
beeps=$(grep -c 'Call user32.MessageBeep(00000010)' "$WINEPREFIX/relay" || true)
echo "$refusals refusals, $beeps Critical Stop sounds"
[ "$refusals" -gt 0 ] && [ "$beeps" -eq "$refusals" ]
