#!/usr/bin/env bash
# What the screen reader Orca speaks as a user goes through the window:
#   orca.sh PROGRAM
# In the x11 session of session.sh, with a D-Bus session and the AT-SPI bus;
# Orca logs every utterance to its debug file, so no speech server is needed.
# Exits 77 (skipped) when Orca is not installed.
set -euo pipefail
program=$1
here=$(dirname "$0")
for tool in orca dbus-launch xvfb-run openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: tools/setup.sh test"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The AT-SPI bus starts only once the window manager is up: started together,
# openbox now and then fails to open the display and the session runs without it.
"$here/session.sh" x11 env HOME="$work" PROGRAM="$program" LOG="$work/orca.log" LISTENING="$here/listening.py" bash -c '
  eval "$(dbus-launch --sh-syntax)"
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  orca --debug-file="$LOG" >/dev/null 2>&1 &
  orca=$!
  # Orca writes its log block-buffered, so ask the bus when it listens.
  for i in $(seq 100); do "$LISTENING" Window:Activate: 2>/dev/null && break; sleep 0.1; done
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$PROGRAM" &
  tellwick=$!
  xdotool search --sync --name "Which Day" >/dev/null
  sleep 2
  for keys in Tab Tab Return shift+Tab shift+Tab shift+Tab 9 9; do xdotool key $keys; sleep 1; done
  sleep 1
  xdotool key Return; sleep 1
  kill $tellwick 2>/dev/null
  kill -INT $orca; wait $orca 2>/dev/null
  kill $DBUS_SESSION_BUS_PID
' >/dev/null 2>&1 || true

spoken=$(grep -o "SPEECH OUTPUT: .*" "$work/orca.log" | sed "s/^SPEECH OUTPUT: .//; s/.{.*//" || true)
echo "$spoken"
status=0
for wanted in "Which Day.........? frame." "Day text." "15 selected." "Month text." "8 selected." \
              "Year text." "1947 selected." "notification FRIDAY." "Enter a number less than 32"; do
  grep -qF -- "$wanted" <<<"$spoken" || { echo "not spoken: $wanted"; status=1; }
done
exit $status
