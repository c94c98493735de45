#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest.
#   ./test.sh             the default preset, in build/
#   ./test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer, in build-sanitize/
#   ./test.sh --windows   the program for Windows, in build-windows/, with Debian 13's
#                         tools (in a Debian 13 root on another release): Qt for
#                         Windows is built once (tools/windows/qt.sh), the tests run
#                         under Wine on a virtual display, and the packages are made
set -euo pipefail
cd "$(dirname "$0")"
case "${1:-}" in
  "") preset=default ;;
  --sanitize) preset=sanitize ;;
  --windows) preset=windows ;;
  *) echo "usage: ./test.sh [--sanitize | --windows]" >&2; exit 2 ;;
esac

if [ "$preset" != windows ]; then
  tools/setup.sh test
  exec cmake --workflow --preset "$preset"
fi
. tools/windows/debian13.sh ./test.sh --windows
tools/setup.sh windows
TELLWICK_WINDOWS_QT=$(tools/windows/qt.sh)
export TELLWICK_WINDOWS_QT
rm -rf build-windows/wine build-windows/wine-150 # each run in Wine prefixes of its own
exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" cmake --workflow --preset windows
