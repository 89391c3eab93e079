#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine in the project's own Wine prefix, made on
# first use: the build's test runner, and the scripts that install and drive
# the Windows program.
#   tools/wine_run.sh PROGRAM.exe [ARGS...]
#   tools/wine_run.sh --server [ARGS...]   wineserver of that prefix (--wait, --kill)
# WINEPREFIX may name another prefix; WINEDEBUG defaults to silence.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/../build/windows/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: the program needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Wine has no Times New Roman. The window's text is laid out in it, so the
# prefix maps it to the metric-compatible Liberation Serif, as Linux does,
# instead of falling back to a wider serif.
prism_make_prefix() {
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
    /t REG_SZ /d 'Liberation Serif' /f >/dev/null 2>&1
  # The files as well, among the system's fonts, for programs that read font
  # files themselves (Qt's offscreen platform in the window tests).
  local fonts=$WINEPREFIX/drive_c/windows/Fonts font
  mkdir -p "$fonts"
  for font in /usr/share/fonts/truetype/liberation/LiberationSerif-*.ttf; do
    ln -sf "$font" "$fonts/"
  done
  wineserver --wait
  touch "$WINEPREFIX/.prism-ready"
}

if [ ! -e "$WINEPREFIX/.prism-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Builds and tests may start several programs at once; one makes the prefix.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  [ -e "$WINEPREFIX/.prism-ready" ] || prism_make_prefix
  flock -u 9
  exec 9>&-
fi
if [ "${1:-}" = --server ]; then
  shift
  exec wineserver "$@"
fi
exec wine "$@"
