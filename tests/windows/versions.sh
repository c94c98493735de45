#!/usr/bin/env bash
# Two versions for upgrade.sh, in BUILD/versions: 1.00, BUILD's own packages
# made again with one file more, only-1.00.txt; and 1.01, the source built
# again as a later version. Each version's program, as installed, beside them.
#   tests/windows/versions.sh SOURCE BUILD
set -euo pipefail
source=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
versions=$build/versions
rm -rf "$versions"
mkdir -p "$versions/extra"
echo "A file only 1.00 installs." >"$versions/extra/only-1.00.txt"
cpack --config "$build/CPackConfig.cmake" -B "$versions/earlier" -D "CPACK_INSTALLED_DIRECTORIES=$versions/extra;." >/dev/null

cmake --preset windows -S "$source" -B "$versions/build" -D TELLWICK_LATER_VERSION=1.01 -D BUILD_TESTING=OFF >/dev/null
cmake --build "$versions/build" >/dev/null
cpack --config "$versions/build/CPackConfig.cmake" -B "$versions/later" >/dev/null

for version in earlier later; do
  unzip -p "$versions/$version"/tellwick-*-win64.zip '*/tellwick.exe' >"$versions/$version.exe"
done
ls "$versions/earlier" "$versions/later"
