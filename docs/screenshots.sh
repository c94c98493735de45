#!/usr/bin/env bash
# Takes the README's pictures on a virtual X display with a window manager:
#   docs/screenshot.png                      after start-up
#   docs/screenshot-show.png                 after SHOW of 15 / 8 / 1947
#   docs/screenshot-refusal.png              a refusal on screen
#   docs/screenshot-scale2*.png              the same at a device pixel ratio of 2
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh test
cmake --preset default >/dev/null
cmake --build --preset default --target tellwick-screenshots >/dev/null

shoot() {
  xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
    openbox >/dev/null 2>&1 &
    sleep 1
    cd docs && "$0" "$1"
  ' "$PWD/build/docs/tellwick-screenshots" "$1"
}
shoot screenshot
QT_SCALE_FACTOR=2 shoot screenshot-scale2
