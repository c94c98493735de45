#!/usr/bin/env bash
# Installs the Debian packages that are missing for a purpose:
#   tools/setup.sh run       what building and running the program needs (run.sh)
#   tools/setup.sh package   that, and what building the .deb needs
#   tools/setup.sh test      all that, and what the tests and checks need (test.sh)
#   tools/setup.sh distro    what tools/distro-test.sh needs to make its roots
#   tools/setup.sh windows   what building Qt and the program for Windows,
#                            testing them under Wine and packaging them need
# Further package names may follow. As root it installs them with apt-get,
# otherwise through sudo; without sudo it prints the command and fails.
set -euo pipefail

run=(cmake g++ make git qt6-base-dev libxcb1-dev qt6-wayland fonts-liberation)
package=("${run[@]}" file dpkg-dev)
test=("${package[@]}" clang-format desktop-file-utils appstream lintian valgrind
      xvfb xauth x11-utils openbox xdotool xclip weston sway wtype orca dbus-x11 at-spi2-core
      kwin-wayland kwin-style-breeze xwayland gnome-shell dconf-service libglib2.0-bin libgl1-mesa-dri
      adwaita-icon-theme python3-jsonschema diffoscope-minimal)
windows=(cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools qt6-base-dev qt6-base-dev-tools
         dpkg-dev xz-utils icoutils nsis wixl msitools unzip strip-nondeterminism wine wine64 fonts-wine
         fonts-liberation xvfb xauth xdotool imagemagick faketime git osslsigncode openssl python3-jsonschema
         diffoscope-minimal)
case "${1:-}" in
  run) packages=("${run[@]}") ;;
  package) packages=("${package[@]}") ;;
  test) packages=("${test[@]}") ;;
  distro) packages=(debootstrap) ;;
  windows) packages=("${windows[@]}") ;;
  *) echo "usage: tools/setup.sh run|package|test|distro|windows [package...]" >&2; exit 2 ;;
esac
shift
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "Missing packages. As root, install them with:" >&2
    echo "  apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
