#!/usr/bin/env bash
# Tellwick as a Windows screen reader meets it: uia_client.exe reads the
# window through UI Automation and follows its focus while xdotool presses
# keys, and what it reads must be what Narrator would say. Each announcement
# is seen where Windows takes it: Wine's UiaRaiseNotificationEvent logs every
# call on its fixme channel, and Qt makes the call once a client such as
# this one has asked for the window. SHOW hands Windows exactly one,
# carrying the weekday; a refusal none.
#   tests/windows/uia.sh BUILD   BUILD holds tellwick.exe and uia_client.exe; needs a display
set -euo pipefail
build=$(cd "$1" && pwd)
wine=$(cd "$(dirname "$0")/../../tools/windows" && pwd)/wine.sh # makes the prefix on first use
WINEPREFIX=$(mktemp -d)
export WINEPREFIX TELLWICK_WINE_UNMANAGED=1
trap 'wineserver --kill 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
"$wine" wineboot

WINEDEBUG=-all,fixme+uiautomation "$wine" "$build/tellwick.exe" 2>"$WINEPREFIX/announced" &
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Which Day\.{9}\?$' | head -1) ||
  fail "the program showed no window"
xdotool windowfocus --sync "$window"
client() { "$wine" "$build/uia_client.exe" "$@"; }
key() { xdotool key --delay 300 "$@"; sleep 0.5; }
client window started >"$WINEPREFIX/read"
client follow >"$WINEPREFIX/focus" &
follower=$!
timeout 30 bash -c "until grep -q following '$WINEPREFIX/focus'; do sleep 0.2; done" || fail "the client did not follow"
key Tab Tab Tab Tab Tab Tab
key Return # in the day box: SHOW, which takes the focus
client window shown >>"$WINEPREFIX/read"
key Tab Tab Tab 9 9 # round to the day box, which takes 99 and refuses it
client refusal >>"$WINEPREFIX/read"
key Return
key alt+F4 # the window closed, the program ends, and the client with it
timeout 30 bash -c "while kill -0 $follower 2>/dev/null; do sleep 0.2; done" || fail "the program did not end"
# The boxes and buttons the focus went to, once each time: Qt tells some
# twice, as it tells the windows that take it, and a screen reader says it
# once.
grep -E '^focus: (edit|button) ' "$WINEPREFIX/focus" | uniq >>"$WINEPREFIX/read"
sed -i 's/\r$//' "$WINEPREFIX/read" # a Windows program's line ends

expected='started: button Show
started: button Clear
started: button Exit
started: edit Year
started: edit Month
started: edit Day
started: text http://t.example.org/
started: text Enter The Date .........
started: text Enter The Year
started: text Enter The Month
started: text Enter The Date
started: text mail@t.example.org
started: text 
started: text 
shown: button Show
shown: button Clear
shown: button Exit
shown: edit Year
shown: edit Month
shown: edit Day
shown: text http://t.example.org/
shown: text The Day  15 / 8 / 1947   is  FRIDAY
shown: text Enter The Year
shown: text Enter The Month
shown: text Enter The Date
shown: text mail@t.example.org
shown: text FRIDAY
shown: text The Day  15 / 8 / 1947   is  
refusal: text Enter a number less than 32\n\nOk.....? Try Again....
refusal: button OK
focus: edit Month
focus: edit Year
focus: button Show
focus: button Clear
focus: button Exit
focus: edit Day
focus: button Show
focus: button Clear
focus: button Exit
focus: edit Day
focus: button OK
focus: edit Day'
diff <(echo "$expected") "$WINEPREFIX/read" || fail "UI Automation read otherwise (< expected, > read)"
echo "UI Automation reads the boxes, the buttons, the weekday, the refusal, and the focus as it moves"

announced=$(sed -n 's/.*UiaRaiseNotificationEvent (.*, L"\(.*\)", L".*").*/\1/p' "$WINEPREFIX/announced")
[ "$announced" = FRIDAY ] || fail "announced '$announced', not FRIDAY alone"
echo "announced to Windows: $announced, once"
