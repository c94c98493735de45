#!/usr/bin/env bash
# Runs a Windows program under Wine: ctest's emulator for the windows preset,
# what ./run.sh --windows starts, and what the install test runs. Wine's own
# messages are off, and so are its offers to download .NET and a browser
# engine, which nothing here uses.
#
# A prefix (WINEPREFIX, else ~/.wine) that does not exist yet is made with
# the fonts a Windows desktop has: Wine's own (Tahoma, MS Sans Serif, Marlett
# for the caption buttons), which Debian's Wine does not find where the
# fonts-wine package puts them, and stand-ins under the names of the two
# Microsoft fonts the program draws in on Windows (src/app/application.cpp;
# tst_window fails here when a face it names is missing): Liberation Serif
# has the metrics of Times New Roman, Wine's MS Sans Serif those of
# Microsoft Sans Serif. With
# TELLWICK_WINE_LOGPIXELS=144 its display is at 150 %; with
# TELLWICK_WINE_VERSION=win11 Wine reports Windows 11 (else 10); with
# TELLWICK_WINE_DARK=1 Windows is in dark mode. With
# TELLWICK_WINE_UNMANAGED=1 Wine manages its windows itself, drawing their
# frames, as Windows does, instead of waiting up to 2 s at each window it
# shows or hides for a window manager that a bare X server does not have.
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
prefix=${WINEPREFIX:-$HOME/.wine}
if [ ! -e "$prefix/system.reg" ]; then
  wineboot --init 2>/dev/null # a 64-bit-only Wine says it has no 32-bit part
  cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
  replacements='HKCU\Software\Wine\Fonts\Replacements'
  wine reg add "$replacements" /v "Times New Roman" /d "Liberation Serif" /f >/dev/null
  wine reg add "$replacements" /v "Microsoft Sans Serif" /d "MS Sans Serif" /f >/dev/null
  if [ -n "${TELLWICK_WINE_UNMANAGED:-}" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  fi
  if [ -n "${TELLWICK_WINE_LOGPIXELS:-}" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$TELLWICK_WINE_LOGPIXELS" /f >/dev/null
  fi
  if [ -n "${TELLWICK_WINE_VERSION:-}" ]; then
    wine winecfg /v "$TELLWICK_WINE_VERSION"
  fi
  if [ -n "${TELLWICK_WINE_DARK:-}" ]; then
    for theme in AppsUseLightTheme SystemUsesLightTheme; do
      wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' /v $theme /t REG_DWORD /d 0 /f \
        >/dev/null
    done
  fi
  wineserver --wait
fi
exec wine "$@"
