#!/usr/bin/env bash
# An installer over a damaged earlier install, silently, in a fresh Wine
# prefix, with versions.sh's two builds: whatever is gone of 1.00 (its
# folder, some of its files, or the per-user installer's uninstaller, which
# a user or a disk cleaner deleted), 1.01 installs, leaving one Apps &
# features entry, 1.01's, and no file of 1.00's; its uninstall then leaves
# nothing.
#   tests/windows/damaged.sh BUILD nsis|msi   BUILD holds versions/; needs a display
set -euo pipefail
build=$(cd "$1" && pwd)
. "$(dirname "$0")/installers.sh" "$2"
versions "$build"
damages=("folder" "files")
[ "$kind" = msi ] || damages+=("uninstaller")
snapshot >"$HOME/before"
for damage in "${damages[@]}"; do
  install "$earlier" || fail "1.00's install failed ($?)"
  case $damage in
    folder) rm -r "$dir" ;;
    files) rm "$dir/Qt6Gui.dll" "$dir/platforms/qwindows.dll" ;;
    uninstaller) rm "$dir/Uninstall.exe" ;;
  esac
  install "$later" || fail "1.01 over 1.00 without its $damage failed ($?)"
  expect "1.01 1.01-program" "1.01 over 1.00 without its $damage"
  uninstall || fail "the uninstall failed ($?)"
  unchanged "$HOME/before" "1.01 over 1.00 without its $damage, uninstalled, left"
  echo "1.01 over 1.00 without its $damage: installed alone, and uninstalled"
done
