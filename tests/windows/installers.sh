# What the installer tests share, sourced with the installer's kind:
#   . installers.sh nsis|msi
# A fresh Wine prefix of the test's own; where that installer puts the
# program, its shortcut and its Apps & features entry; and the steps a user
# or an administrator takes.
wine=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools/windows" && pwd)/wine.sh # makes the prefix on first use
WINEPREFIX=$(mktemp -d)
export WINEPREFIX
trap 'wineserver --kill 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
"$wine" wineboot

user='C:\users\'$(id -un)
case $1 in
  nsis) # for the user who runs it
    package=-setup.exe
    hive=HKCU
    folder=$user'\AppData\Local\Programs\Tellwick'
    menu=$user'\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'
    install() { "$wine" "$1" /S; }
    icon() { value DisplayIcon; } ;;
  msi) # for every user of the machine
    package=.msi
    hive=HKLM
    folder='C:\Program Files\Tellwick'
    # Windows puts its shortcut in the Start menu of all users; Wine 8 in
    # that of the user who installs it.
    menu=$user'\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'
    install() { "$wine" msiexec /i "$1" /qn; }
    # Apps & features takes an MSI's icon from what Windows Installer keeps.
    icon() {
      "$wine" reg query 'HKLM\Software\Classes\Installer\Products' /s /v ProductIcon 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *ProductIcon *REG_SZ *//p'
    } ;;
  *) fail "no installer kind $1" ;;
esac
dir=$("$wine" winepath -u "$folder" 2>/dev/null)
uninstall_key="$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"

# The Apps & features entries named Tellwick, as `key value type data` lines.
entries() {
  "$wine" reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | awk '
    /^HKEY/ { key = $0; next }
    NF { sub(/^ +/, ""); values[key] = values[key] key "  " $0 "\n"; if ($1 == "DisplayName" && $3 == "Tellwick") ours[key] = 1 }
    END { for (k in ours) printf "%s", values[k] }'
}
value() { entries | awk -v name="$1" '$2 == name { sub(/^.*  +REG_[A-Z_]+ +/, ""); print; exit }'; }
# The uninstall Apps & features starts, silent as an administrator runs it.
uninstall() {
  local command program
  command=$(value QuietUninstallString)
  [ -n "$command" ] || command="$(value UninstallString) /qn"
  if [[ $command == \"* ]]; then # "C:\path\to\program.exe" arguments
    program=${command#\"}
    program=${program%%\"*}
    command=${command#\""$program"\"}
  else
    program=${command%% *}
    command=${command#"$program"}
  fi
  # shellcheck disable=SC2086 # the arguments, one word each
  "$wine" "$program" $command
  wineserver --wait # an NSIS uninstaller goes on from a copy of itself
}
# Everything in the prefix's drive and the machine's and the user's software
# settings, but the temporary files (an uninstaller runs from a copy of
# itself there, which Windows removes at its next start), and what a first
# install makes of Windows' own, which a fresh prefix lacks: Windows
# Installer's folder, and its keys and the Uninstall key while they hold
# nothing. Wine's own settings are left out too: no package writes them,
# and Wine adds to them as it goes (its debugger's key, once it has run).
snapshot() {
  find "$WINEPREFIX/drive_c" -path "$WINEPREFIX/drive_c/users/*/Temp" -prune \
    -o -path "$WINEPREFIX/drive_c/users/*/AppData/Local/Temp" -prune \
    -o ! -path "$WINEPREFIX/drive_c/windows/Installer" -print | sort
  for hive in HKLM HKCU; do
    "$wine" reg export "$hive\\Software" "$WINEPREFIX/software.reg" /y >/dev/null
    iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/software.reg" | tr -d '\r' |
      awk '/^\[/ { held = ""; wine = $0 ~ /\\Software\\Wine[]\\]/; if (wine) next
                  if ($0 ~ /\\(Installer|Uninstall)[]\\]/) held = $0; else print; next }
           wine { next }
           NF { if (held != "") print held; held = ""; print }'
  done
}
