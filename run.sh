#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window.
#   ./run.sh            the Linux program
#   ./run.sh --windows  the program for Windows, under Wine, with Debian 13's tools
#                       (in a Debian 13 root on another release); Qt for Windows
#                       is built once by tools/windows/qt.sh
set -euo pipefail
cd "$(dirname "$0")"
case "${1:-}" in
  "") windows=false ;;
  --windows) windows=true ;;
  *) echo "usage: ./run.sh [--windows]" >&2; exit 2 ;;
esac

if $windows; then
  . tools/windows/debian13.sh ./run.sh --windows
  tools/setup.sh windows
  TELLWICK_WINDOWS_QT=$(tools/windows/qt.sh)
  export TELLWICK_WINDOWS_QT
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target beside # the program, its tests and what they need beside them
else
  tools/setup.sh run
  cmake --preset default >/dev/null # the tree test.sh builds, so neither rebuilds the other's
  cmake --build --preset default --target tellwick
fi

if [ -z "${DISPLAY:-}" ] && { $windows || [ -z "${WAYLAND_DISPLAY:-}" ]; }; then
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "To run on a virtual display:  xvfb-run -a ./run.sh $*" >&2
  exit 1
fi
if $windows; then
  exec tools/windows/wine.sh build-windows/tellwick.exe
fi
exec build/tellwick
