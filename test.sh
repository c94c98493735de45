#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest.
#   ./test.sh             the default preset, in build/
#   ./test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer, in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh test

preset=default
[ "${1:-}" = "--sanitize" ] && preset=sanitize
cmake --workflow --preset "$preset"
