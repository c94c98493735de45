# What the installer tests share, sourced with the installer's kind:
#   . installers.sh nsis|msi
# A fresh Wine prefix of the test's own, used as a Windows user without
# administrator rights is: as root, Wine runs as nobody, for Wine run by root
# writes even read-only files. Where that installer puts the program, its
# shortcut and its Apps & features entry; and the steps a user or an
# administrator takes.
wine_sh=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools/windows" && pwd)/wine.sh # makes the prefix on first use
HOME=$(mktemp -d)
export HOME WINEPREFIX=$HOME/prefix # not TMPDIR: Wine 10 aborts at start when it is set
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  if [ -n "${XAUTHORITY:-}" ]; then # the display's key, for that user
    cp "$XAUTHORITY" "$HOME/Xauthority"
    export XAUTHORITY=$HOME/Xauthority
  fi
  chown -R nobody:nogroup "$HOME"
fi
wine() { "${as_user[@]}" "$wine_sh" "$@"; }
wineserver() { "${as_user[@]}" "$(type -P wineserver)" "$@"; }
trap 'wineserver --kill 2>/dev/null; rm -rf "$HOME"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
wine wineboot

user='C:\users\'$("${as_user[@]}" id -un)
kind=$1
case $kind in
  nsis) # for the user who runs it
    package=-setup.exe
    hive=HKCU
    folder=$user'\AppData\Local\Programs\Tellwick'
    menu=$user'\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'
    install() { wine "$1" /S; }
    icon() { value DisplayIcon; } ;;
  msi) # for every user of the machine
    package=.msi
    hive=HKLM
    folder='C:\Program Files\Tellwick'
    # Windows puts its shortcut in the Start menu of all users; Wine in that
    # of the user who installs it.
    menu=$user'\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'
    install() { wine msiexec /i "$1" /qn; }
    # Apps & features takes an MSI's icon from what Windows Installer keeps.
    icon() {
      wine reg query 'HKLM\Software\Classes\Installer\Products' /s /v ProductIcon 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *ProductIcon *REG_SZ *//p'
    } ;;
  *) fail "no installer kind $1" ;;
esac
dir=$(wine winepath -u "$folder" 2>/dev/null)
uninstall_key="$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"

# The Apps & features entries named Tellwick, as `key value type data` lines.
entries() {
  wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | awk '
    /^HKEY/ { key = $0; next }
    NF { sub(/^ +/, ""); values[key] = values[key] key "  " $0 "\n"; if ($1 == "DisplayName" && $3 == "Tellwick") ours[key] = 1 }
    END { for (k in ours) printf "%s", values[k] }'
}
value() { entries | awk -v name="$1" '$2 == name { sub(/^.*  +REG_[A-Z_]+ +/, ""); print; exit }'; }
# An entry's command line as its program and its arguments, one word each.
command_words() {
  local command=$1 program
  if [[ $command == \"* ]]; then # "C:\path\to\program.exe" arguments
    program=${command#\"}
    program=${program%%\"*}
    command=${command#\""$program"\"}
  else
    program=${command%% *}
    command=${command#"$program"}
  fi
  # shellcheck disable=SC2086 # the arguments, one word each
  printf '%s\n' "$program" $command
}
# The uninstall, silent as an administrator runs it: the per-user
# installer's entry names its command, an MSI is removed by its product
# code, its entry's name. Its status is the uninstall's.
uninstall() {
  if [ "$kind" = nsis ]; then
    mapfile -t words < <(command_words "$(value QuietUninstallString)")
    wine "${words[@]}"
  else
    wine msiexec /x "$(product_code)" /qn
  fi
}
product_code() { entries | sed -n '1s/^[^ ]*\\\([^\\ ]*\)  .*/\1/p'; }
# Everything in the prefix's drive and the machine's and the user's software
# settings, but the temporary files (an uninstaller moves itself there, and
# Windows clears them), and what a first install makes of Windows' own,
# which a fresh prefix lacks: Windows Installer's folder, and its keys and
# the Uninstall key while they hold nothing. Wine's own settings are left
# out too: no package writes them, and Wine adds to them as it goes (its
# debugger's key, once it has run).
snapshot() {
  find "$WINEPREFIX/drive_c" -path "$WINEPREFIX/drive_c/users/*/Temp" -prune \
    -o -path "$WINEPREFIX/drive_c/users/*/AppData/Local/Temp" -prune \
    -o ! -path "$WINEPREFIX/drive_c/windows/Installer" -print | sort
  for hive in HKLM HKCU; do
    wine reg export "$hive\\Software" "$WINEPREFIX/software.reg" /y >/dev/null
    iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/software.reg" | tr -d '\r' |
      awk '/^\[/ { held = ""; wine = $0 ~ /\\Software\\Wine[]\\]/; if (wine) next
                  if ($0 ~ /\\(Installer|Uninstall)[]\\]/) held = $0; else print; next }
           wine { next }
           NF { if (held != "") print held; held = ""; print }'
  done
}
# Fails unless the prefix holds what the snapshot in file $1 held.
unchanged() {
  local now
  now=$(snapshot)
  [ "$now" = "$(cat "$1")" ] || fail "$2: $(diff "$1" - <<<"$now" || true)"
}
# The program's window, once shown; and the program closed by its EXIT, in
# the middle of that button: 3911 + 1455 / 2 and 3480 + 495 / 2 twips.
program_window() { timeout 60 xdotool search --sync --onlyvisible --name '^Which Day\.{9}\?$' | head -1; }
close_program() {
  local window
  window=$(program_window)
  xdotool windowraise "$window" # above an installer's window
  xdotool mousemove --window "$window" 309 248 click 1
  timeout 30 bash -c "while xdotool search --name '^Which Day' >/dev/null; do sleep 0.2; done" ||
    fail "EXIT did not end the program"
}

# versions.sh's two builds in BUILD/versions: the packages of 1.00, which
# carries a file 1.01 lacks, and of 1.01, as $earlier and $later.
versions() {
  versions=$1/versions
  earlier=$(echo "$versions"/earlier/tellwick-1.00-win64"$package")
  later=$(echo "$versions"/later/tellwick-1.01-win64"$package")
  [ -f "$earlier" ] && [ -f "$later" ] || fail "versions.sh made no $kind packages in $versions"
}
# The versions of the Apps & features entries named Tellwick, and whose
# files are installed: the program's, and the file only 1.00 has.
installed() {
  echo "$(entries | awk '$2 == "DisplayVersion" { print $4 }' | sort | xargs)" \
       "$(cmp -s "$dir/tellwick.exe" "$versions/earlier.exe" && echo 1.00-program)" \
       "$(cmp -s "$dir/tellwick.exe" "$versions/later.exe" && echo 1.01-program)" \
       "$( [ -e "$dir/only-1.00.txt" ] && echo 1.00-file)" | xargs
}
expect() { [ "$(installed)" = "$1" ] || fail "$2: installed is '$(installed)', not '$1'"; }
