# The program for Windows is built with Debian 13's tools: Qt for Windows
# from its qt6-base (Qt 6.8, a long-term release that Debian maintains),
# host Qt tools of that version, its MinGW-w64 and NSIS, and tested under
# its Wine 10. Sourced by each command that builds for Windows, from the
# project's folder, with the command and its arguments:
#   . tools/windows/debian13.sh ./test.sh --windows
# On Debian 13 it does nothing; on any other release it runs the command
# again inside a Debian 13 root (tools/root.sh, through sudo unless root),
# with the project at its own path and the X display it was started on, and
# ends with the command's status.
if [ "$(. /etc/os-release && echo "$VERSION_CODENAME")" != trixie ]; then
  names="DISPLAY XAUTHORITY SOURCE_DATE_EPOCH TELLWICK_SIGN_PKCS12 TELLWICK_SIGN_PASSWORD TELLWICK_SIGN_TIMESTAMP"
  binds=(--bind "$PWD")
  [ ! -d /tmp/.X11-unix ] || binds+=(--bind /tmp/.X11-unix)
  for file in "${XAUTHORITY:-}" "${TELLWICK_SIGN_PKCS12:-}"; do
    [ -z "$file" ] || binds+=(--bind "$(realpath "$file")")
  done
  run=(env ROOT_ENV="$names")
  for name in $names; do
    [ -z "${!name+set}" ] || run+=("$name=${!name}")
  done
  [ "$(id -u)" -eq 0 ] || run=(sudo "${run[@]}")
  echo "Building for Windows inside a Debian 13 root (tools/root.sh)" >&2
  exec "${run[@]}" tools/root.sh trixie "${binds[@]}" -- "$@"
fi
