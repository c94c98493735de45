#!/usr/bin/env bash
# Builds the packages twice, from two clones of the source's last commit, as
# two distributors would: in folders of different lengths, at other clock
# times, in another time zone and locale, with another umask and, as root,
# as another user. Each package and its bill of materials must come out
# byte for byte the same; on a difference, diffoscope (where installed)
# says which file inside differs.
#   tests/repro.sh SOURCE WORK deb|windows
# windows needs TELLWICK_WINDOWS_QT, as the windows preset does.
set -euo pipefail
unset TELLWICK_SIGN_PKCS12 # a signature carries its own time
source=$(cd "$1" && pwd)
work=$2
kind=$3
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
case $kind in
  deb) preset=package packages='*.deb' ;;
  windows) preset=windows packages='*-setup.exe *.msi *.zip' ;;
  *) echo "no package kind $kind" >&2; exit 2 ;;
esac

# The packages of a clone in folder $1 (a path), each with its bill of
# materials, into $work/NAME.packages; the rest of the command is the
# build's environment.
build() {
  local folder=$1
  shift
  git clone --quiet "$source" "$folder"
  [ -z "$owner" ] || chown -R "$owner" "$folder"
  (
    cd "$folder"
    "$@" cmake --preset "$preset" -D BUILD_TESTING=OFF >/dev/null
    "$@" cmake --build --preset "$preset" >/dev/null
    "$@" cpack --preset "$preset" >/dev/null
  )
  mkdir "$work/${folder##*/}.packages"
  for pattern in $packages; do
    cp "$folder"/build-*/$pattern "$folder"/build-*/$pattern.cdx.json "$work/${folder##*/}.packages/"
  done
}
owner=
build "$work/a" env TZ=UTC LC_ALL=C.UTF-8
# The second as another user, where there is one to be, in another locale
# where one is installed.
other=(env TZ=Pacific/Chatham LC_ALL=POSIX)
! locale -a 2>/dev/null | grep -qx fr_FR.utf8 || other=(env TZ=Pacific/Chatham LC_ALL=fr_FR.UTF-8)
place=$work
if [ "$(id -u)" -eq 0 ]; then
  owner=nobody:nogroup
  # That user's home, and its clone, where it can reach them: the work
  # folder may lie under one it cannot enter, such as /root.
  place=$(mktemp -d)
  trap 'rm -rf "$place"' EXIT
  chown "$owner" "$place"
  other=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${other[@]}" HOME="$place")
fi
(umask 077 && build "$place/a-much-longer-folder-name" "${other[@]}")

# What tells where two packages differ: diffoscope, down to the file inside.
report=(cmp)
! command -v diffoscope >/dev/null || report=(diffoscope --no-progress --max-text-report-size 20000)
status=0
for file in "$work/a.packages"/*; do
  other=$work/a-much-longer-folder-name.packages/${file##*/}
  if cmp -s "$file" "$other"; then
    echo "same: ${file##*/} ($(stat -c %s "$file") bytes)"
  else
    echo "DIFFERENT: ${file##*/}"
    "${report[@]}" "$file" "$other" || status=1
  fi
done
exit $status
