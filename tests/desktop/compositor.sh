#!/usr/bin/env bash
# Drives the compositor of a kwin or gnome session (session.sh) through its
# own scripting interface, as its window menu and key bindings would:
#   compositor.sh frame TITLE     prints "ID X Y WIDTH HEIGHT STATE" of the window
#                                 whose title starts with TITLE, STATE one of
#                                 normal, maximised, fullscreen
#   compositor.sh normal|maximised|fullscreen TITLE
#                                 asks for that state (KWin maximises no window
#                                 of fixed size)
#   compositor.sh minimise|activate TITLE
#   compositor.sh run SCRIPT      prints the value of a script's last expression
set -euo pipefail
verb=$1
title=${2:-}

# Each verb in the compositor's own script: `w` is the window.
if [ "$TELLWICK_SESSION" = gnome ]; then
  # Up to GNOME 48 maximising names its directions and get_maximized tells
  # them; GNOME 50 has neither, but maximize() for both and is_maximized().
  both=imports.gi.Meta.MaximizeFlags.BOTH
  declare -A act=(
    [frame]="const r = w.get_frame_rect(); [w.get_id(), r.x, r.y, r.width, r.height,
      w.is_fullscreen() ? 'fullscreen' : (w.get_maximized ? w.get_maximized() == $both : w.is_maximized())
      ? 'maximised' : 'normal'].join(' ')"
    [normal]="w.is_fullscreen() ? w.unmake_fullscreen() : w.get_maximized ? w.unmaximize($both) : w.unmaximize()"
    [maximised]="w.get_maximized ? w.maximize($both) : w.maximize()"
    [fullscreen]='w.make_fullscreen()'
    [minimise]='w.minimize()'
    [activate]='w.activate(global.get_current_time())'
  )
  find='global.get_window_actors().map(a => a.meta_window).find(w => (w.get_title() || "").startsWith(title))'
else
  declare -A act=(
    [frame]="const r = w.frameGeometry; [w.internalId, r.x, r.y, r.width, r.height,
      w.fullScreen ? 'fullscreen' : 'normal'].join(' ')"
    [normal]='w.fullScreen = false'
    [fullscreen]='w.fullScreen = true'
    [minimise]='w.minimized = true'
    [activate]='if ("activeWindow" in workspace) workspace.activeWindow = w; else workspace.activeClient = w'
  )
  # KWin 5 calls its windows clients.
  find='(workspace.windowList ? workspace.windowList() : workspace.clientList()).find(w => w.caption.startsWith(title))'
fi

quoted() { printf '%s' "$1" | python3 -c 'import json, sys; print(json.dumps(sys.stdin.read()))'; }

if [ "$verb" = run ]; then
  script=$title
else
  script="const title = $(quoted "$title");
const w = $find; if (!w) throw new Error('no window ' + title); ${act[$verb]}"
  [ "$verb" = frame ] || script+='; ""' # the others print nothing
fi

if [ "$TELLWICK_SESSION" = gnome ]; then
  # gdbus reads its arguments as GVariant text; Eval answers (true, 'JSON of
  # the value') or (false, 'the error').
  answer=$(gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell -m org.gnome.Shell.Eval "$(quoted "$script")")
  case $answer in
    "(true, "*) printf '%s' "${answer#"(true, "}" | python3 -c '
import ast, json, sys
value = ast.literal_eval(sys.stdin.read().strip()[:-1])
value = json.loads(value) if value else ""
print(value if isinstance(value, str) else json.dumps(value))' ;;
    *) echo "$answer" >&2; exit 1 ;;
  esac
else
  # A KWin script's print goes to KWin's output, which the session keeps.
  marker=tellwick-$$-$RANDOM
  file=$(mktemp --suffix=.js)
  trap 'rm -f "$file"' EXIT
  printf 'try { print("%s " + eval(%s)); } catch (e) { print("%s error " + e); }\n' \
    "$marker" "$(quoted "$script")" "$marker" >"$file"
  id=$(gdbus call --session -d org.kde.KWin -o /Scripting -m org.kde.kwin.Scripting.loadScript "$file" "$marker" |
    sed -E 's/^\((int32 )?([0-9]+),\)$/\2/')
  # KWin 5 publishes a script at /ID, KWin 6 at /Scripting/ScriptID.
  gdbus call --session -d org.kde.KWin -o "/Scripting/Script$id" -m org.kde.kwin.Script.run >/dev/null 2>&1 ||
    gdbus call --session -d org.kde.KWin -o "/$id" -m org.kde.kwin.Script.run >/dev/null
  for _ in $(seq 50); do grep -q "$marker" "$TELLWICK_COMPOSITOR_LOG" && break; sleep 0.1; done
  gdbus call --session -d org.kde.KWin -o /Scripting -m org.kde.kwin.Scripting.unloadScript "$marker" >/dev/null
  line=$(grep -m1 "$marker" "$TELLWICK_COMPOSITOR_LOG") || { echo "KWin ran no script" >&2; exit 1; }
  line=${line#*"$marker "}
  case $line in
    "error "*) echo "$line" >&2; exit 1 ;;
    *) echo "$line" ;;
  esac
fi
