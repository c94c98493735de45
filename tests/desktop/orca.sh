#!/usr/bin/env bash
# What the screen reader Orca speaks as a user goes through the window:
#   orca.sh PROGRAM
# In the x11 session of session.sh, with a D-Bus session and the AT-SPI bus;
# Orca logs every utterance to its debug file, so no speech server is needed.
# Prints what was spoken, one utterance a line; fails when a phrase a user
# must hear is missing or out of order. Exits 77 (skipped) when Orca is not
# installed.
set -euo pipefail
program=$1
here=$(dirname "$0")
for tool in orca dbus-launch xvfb-run openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: tools/setup.sh test"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The user tabs through the boxes, presses SHOW with Enter, goes back to the
# month box with Shift+Tab, clicks into the day box and types 99 there.
# The AT-SPI bus starts only once the window manager is up: started together,
# openbox now and then fails to open the display and the session runs without it.
"$here/session.sh" x11 env HOME="$work" PROGRAM="$program" LOG="$work/orca.log" ATSPI="$here/atspi.py" bash -c '
  eval "$(dbus-launch --sh-syntax)"
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  orca --debug-file="$LOG" >/dev/null 2>&1 &
  orca=$!
  # Orca writes its log block-buffered, so ask the bus when it listens; on a
  # loaded machine Orca takes many seconds to start.
  SECONDS=0
  until "$ATSPI" listening Window:Activate: 2>/dev/null; do
    [ $SECONDS -lt 60 ] || { echo "Orca did not start listening within 60 s" >"$LOG.failed"; break; }
    sleep 0.2
  done
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$PROGRAM" &
  tellwick=$!
  xdotool search --sync --name "Which Day" >/dev/null
  sleep 2
  for keys in Tab Tab Return shift+Tab shift+Tab; do xdotool key $keys; sleep 1; done
  xdotool mousemove $("$ATSPI" centre Day) click 1; sleep 1
  for keys in 9 9; do xdotool key $keys; sleep 1; done
  sleep 1
  xdotool key Return; sleep 1
  kill $tellwick 2>/dev/null
  kill -INT $orca; wait $orca 2>/dev/null
  kill $DBUS_SESSION_BUS_PID
' >/dev/null 2>&1 || true

[ ! -e "$work/orca.log.failed" ] || { cat "$work/orca.log.failed"; exit 1; }

# One utterance a line: "SPEECH OUTPUT: 'text'", perhaps followed by the voice.
spoken=$(grep -o "SPEECH OUTPUT: .*" "$work/orca.log" | sed "s/^SPEECH OUTPUT: '//; s/' *{.*//; s/'$//" || true)
echo "$spoken"

# Orca 43 takes a box that a click has focused as its focus without a word
# once the program has moved the focus before Orca looks at what was clicked
# (scripts/default.py, onMouseButton), and so speaks only its value; from
# Orca 48 on, a click is spoken as any other move of the focus.
clicked=("Day text" "15 selected")
[ "$(orca --version | grep -o '[0-9]*' | head -1)" -gt 43 ] || clicked=("15 selected")

# What a listener hears is words in order: how a reader version punctuates
# them or splits them into utterances does not matter.
words() { tr -cs '[:alnum:]' ' ' | tr '[:upper:]' '[:lower:]'; }
rest=" $(words <<<"$spoken") "
for wanted in "Which Day" "Day text" "15 selected" "Month text" "8 selected" "Year text" "1947 selected" \
              "FRIDAY" "Month text" "8 selected" "${clicked[@]}" "Enter a number less than 32"; do
  phrase=" $(words <<<"$wanted" | xargs) "
  [[ $rest == *"$phrase"* ]] || { echo "not spoken in its place: $wanted"; exit 1; }
  rest=" ${rest#*"$phrase"}"
done
