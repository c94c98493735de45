#!/usr/bin/env bash
# Runs a command in a real display session of its own:
#   session.sh x11 CMD...      Xvfb with the openbox window manager, Qt's xcb platform
#   session.sh bare CMD...     Xvfb with no window manager: no window is ever activated
#   session.sh wayland CMD...  a headless weston compositor, Qt's wayland platform
#   session.sh sway CMD...     a headless sway, the tiling compositor, Qt's wayland platform;
#                              wtype types on its seat
#   session.sh kwin CMD...     a headless KWin, with XWayland, Qt's wayland platform
#   session.sh gnome CMD...    a headless GNOME Shell, Qt's wayland platform
#                              (both driven through desktop/compositor.sh)
# Exits 77 (skipped) when the session's programs are not installed.
set -euo pipefail
kind=$1
shift
here=$(dirname "$(readlink -f "$0")")
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
kwin | gnome)
  need dbus-daemon
  need gdbus
  need_qt_wayland
  if [ "$kind" = kwin ]; then need kwin_wayland; else need gnome-shell; fi
  runtime=$(mktemp -d)
  chmod 700 "$runtime"
  # Their XWayland, started on demand, needs the X socket folder.
  [ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix
  export HOME=$runtime XDG_RUNTIME_DIR=$runtime XDG_CONFIG_HOME=$runtime/config XDG_DATA_HOME=$runtime/data
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$runtime/bus DBUS_SYSTEM_BUS_ADDRESS=unix:path=$runtime/system-bus
  daemons=()
  trap 'kill ${daemons[*]} 2>/dev/null; wait; rm -rf "$runtime"' EXIT
  daemons+=("$(dbus-daemon --session --address="$DBUS_SESSION_BUS_ADDRESS" --fork --print-pid)")
  if [ "$kind" = kwin ]; then
    # The installed binary carries a capability that a sandbox refuses; a
    # copy under its own name still finds its plugins.
    cp /usr/bin/kwin_wayland "$runtime/kwin_wayland"
    KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 "$runtime/kwin_wayland" --virtual --xwayland --no-lockscreen \
      --width 1280 --height 800 --socket tellwick >"$runtime/compositor.log" 2>&1 &
    daemons+=($!)
    ready() { gdbus introspect --session -d org.kde.KWin -o /Scripting >/dev/null 2>&1; }
  else
    # GNOME Shell wants a system bus too. It runs scripts sent to it only when
    # an extension allows it; the same extension leaves the overview it
    # starts in, as a user's first window would.
    cat >"$runtime/system-bus.conf" <<EOT
<busconfig><type>system</type><listen>$DBUS_SYSTEM_BUS_ADDRESS</listen><auth>EXTERNAL</auth>
<policy context="default"><allow user="*"/><allow send_destination="*"/><allow receive_sender="*"/><allow own="*"/></policy>
</busconfig>
EOT
    daemons+=("$(dbus-daemon --config-file="$runtime/system-bus.conf" --fork --print-pid)")
    version=$(gnome-shell --version | tr -dc 0-9. | cut -d. -f1)
    extension=$XDG_DATA_HOME/gnome-shell/extensions/unsafe@tellwick
    mkdir -p "$extension"
    printf '{"uuid": "unsafe@tellwick", "name": "unsafe", "description": "scripts from tests", "shell-version": ["%s"]}' \
      "$version" >"$extension/metadata.json"
    enable='global.context.unsafe_mode = true;
      if (Main.layoutManager._startingUp) Main.layoutManager.connect("startup-complete", () => Main.overview.hide());
      else Main.overview.hide();'
    if [ "$version" -ge 45 ]; then # extensions are modules from 45 on
      printf 'import * as Main from "resource:///org/gnome/shell/ui/main.js";
export default class { enable() { %s } disable() {} }\n' "$enable" >"$extension/extension.js"
    else
      printf 'const Main = imports.ui.main;
function init() { return { enable() { %s }, disable() {} }; }\n' "$enable" >"$extension/extension.js"
    fi
    gsettings set org.gnome.shell disable-extension-version-validation true
    gsettings set org.gnome.shell enabled-extensions "['unsafe@tellwick']"
    gnome-shell --headless --wayland --virtual-monitor 1280x800 --wayland-display tellwick \
      >"$runtime/compositor.log" 2>&1 &
    daemons+=($!)
    ready() { [ "$(TELLWICK_SESSION=gnome "$here/compositor.sh" run '"up"' 2>/dev/null)" = up ]; }
  fi
  for _ in $(seq 200); do ready && break; sleep 0.1; done
  ready || { cat "$runtime/compositor.log"; exit 1; }
  env -u DISPLAY WAYLAND_DISPLAY=tellwick QT_QPA_PLATFORM=wayland TELLWICK_SESSION="$kind" \
    TELLWICK_COMPOSITOR="$here/compositor.sh" TELLWICK_COMPOSITOR_LOG="$runtime/compositor.log" "$@"
  ;;
*)
  echo "usage: session.sh x11|bare|wayland|sway|kwin|gnome CMD..." >&2
  exit 2
  ;;
esac
