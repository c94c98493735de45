#!/usr/bin/env bash
# Removes what `cmake --install BUILD_DIR` installed: the files of its
# manifest, then the folders that install made, deepest first, once empty.
#   tools/uninstall.sh [BUILD_DIR]      (build-release by default)
set -euo pipefail
build=${1:-build-release}
[ -f "$build/install_manifest.txt" ] || { echo "nothing installed from $build" >&2; exit 1; }
xargs -r -d '\n' rm -fv <"$build/install_manifest.txt"
if [ -f "$build/install_folders.txt" ]; then
  tac "$build/install_folders.txt" | xargs -r -d '\n' rmdir -v --ignore-fail-on-non-empty
  rm "$build/install_folders.txt"
fi
rm "$build/install_manifest.txt"
