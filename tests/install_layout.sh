#!/usr/bin/env bash
# Installs the build into a scratch folder and checks what a desktop needs:
# the program, its desktop entry, icons and metainfo, each valid where the
# validators are installed; then that the uninstall leaves nothing behind.
set -euo pipefail
build=$1 id=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cmake --install "$build" --prefix "$root/usr" >/dev/null

for f in bin/tellwick \
         share/applications/$id.desktop \
         share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg; do
  [ -f "$root/usr/$f" ] || { echo "not installed: $f"; exit 1; }
done
for size in 16 32 48 64 128 256; do # each theme size, 16 to 256, of its own size
  file "$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "$size x $size" ||
    { echo "no ${size}px icon"; exit 1; }
done

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/$id.desktop"
else
  echo "desktop-file-validate not installed: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$id.metainfo.xml"
else
  echo "appstreamcli not installed: metainfo not validated"
fi
[ ! -e "$root/usr/share/lintian" ] || { echo "the lintian override belongs to the package alone"; exit 1; }

"$(dirname "$0")/../tools/uninstall.sh" "$build" >/dev/null
left=$(find "$root" -mindepth 1)
[ -z "$left" ] || { echo "left behind by the uninstall:"; echo "$left"; exit 1; }
echo "installed layout is complete, and the uninstall takes it all away"
