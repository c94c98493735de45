#!/usr/bin/env bash
# Installs the Debian packages the project needs, and those named as
# arguments, when any is missing.
# As root it installs them; otherwise it prints the command and fails.
set -euo pipefail

packages=(cmake g++ make qt6-base-dev fonts-liberation xvfb xauth xdotool
          openbox desktop-file-utils appstream valgrind dpkg-dev file "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
