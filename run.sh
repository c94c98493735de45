#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null  # as test.sh, so neither rebuilds the other's tree
cmake --build build --target tellwick -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "To run on a virtual display:  xvfb-run ./run.sh" >&2
  exit 1
fi
exec build/tellwick
