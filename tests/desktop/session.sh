#!/usr/bin/env bash
# Runs a command in a real display session of its own:
#   session.sh x11 CMD...      Xvfb with the openbox window manager, Qt's xcb platform
#   session.sh bare CMD...     Xvfb with no window manager: no window is ever activated
#   session.sh wayland CMD...  a headless weston compositor, Qt's wayland platform
#   session.sh sway CMD...     a headless sway, the tiling compositor, Qt's wayland platform;
#                              wtype types on its seat
# Exits 77 (skipped) when the session's programs are not installed.
set -euo pipefail
kind=$1
shift
need() { command -v "$1" >/dev/null || { echo "$1 is not installed: tools/setup.sh test"; exit 77; }; }
# libqwayland-generic.so up to Qt 6.8, libqwayland.so from 6.11 on
need_qt_wayland() {
  [ -n "$(find /usr/lib -path '*/qt6/plugins/platforms/libqwayland*.so' -print -quit)" ] ||
    { echo "Qt's wayland platform is not installed: tools/setup.sh test"; exit 77; }
}

case $kind in
x11 | bare)
  need xvfb-run
  need xdotool
  [ "$kind" = bare ] || need openbox
  export QT_QPA_PLATFORM=xcb TELLWICK_SESSION=$kind
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
    managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
    if [ "$TELLWICK_SESSION" = x11 ]; then
      # A window manager that fails to open the display leaves a session that
      # only looks like this one: try again, and say so if it never comes.
      for attempt in 1 2 3; do
        openbox --sm-disable >/dev/null 2>&1 &
        wm=$!
        for i in $(seq 50); do managed && break 2; kill -0 $wm 2>/dev/null || break; sleep 0.1; done
        kill $wm 2>/dev/null
      done
      managed || { echo "openbox did not start" >&2; exit 1; }
    fi
    "$@"
    status=$?
    [ -z "${wm:-}" ] || kill $wm 2>/dev/null
    exit $status
  ' session "$@"
  ;;
wayland)
  need weston
  need_qt_wayland
  runtime=$(mktemp -d)
  chmod 700 "$runtime"
  socket=tellwick-$$
  XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
    >"$runtime/weston.log" 2>&1 &
  weston=$!
  trap 'kill $weston 2>/dev/null; rm -rf "$runtime"' EXIT
  for i in $(seq 50); do [ -S "$runtime/$socket" ] && break; sleep 0.1; done
  env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
    TELLWICK_SESSION=wayland "$@"
  ;;
sway)
  need sway
  need swaymsg
  need wtype
  need_qt_wayland
  runtime=$(mktemp -d)
  client=$(mktemp -d)
  chmod 700 "$runtime" "$client"
  # sway refuses to run as root: there it runs as nobody, and the command,
  # still as root, reaches its sockets by their full paths.
  as=()
  if [ "$(id -u)" -eq 0 ]; then
    as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    chown nobody "$runtime"
  fi
  printf 'output HEADLESS-1 resolution 1280x800\nxwayland disable\n' >"$runtime/config"
  "${as[@]}" env XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$runtime/config" >"$runtime/sway.log" 2>&1 &
  sway=$!
  trap 'kill $sway 2>/dev/null; wait $sway; rm -rf "$runtime" "$client"' EXIT
  for i in $(seq 50); do compgen -G "$runtime/sway-ipc.*.sock" >/dev/null && break; sleep 0.1; done
  socket=$(compgen -G "$runtime/sway-ipc.*.sock") || { cat "$runtime/sway.log"; exit 1; }
  env -u DISPLAY XDG_RUNTIME_DIR="$client" WAYLAND_DISPLAY="$runtime/wayland-1" SWAYSOCK="$socket" \
    QT_QPA_PLATFORM=wayland TELLWICK_SESSION=sway "$@"
  ;;
*)
  echo "usage: session.sh x11|bare|wayland|sway CMD..." >&2
  exit 2
  ;;
esac
