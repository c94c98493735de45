#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh run
cmake --preset default >/dev/null  # the tree test.sh builds, so neither rebuilds the other's
cmake --build --preset default --target tellwick

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "To run on a virtual display:  xvfb-run -a ./run.sh" >&2
  exit 1
fi
exec build/tellwick
