#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows program as a Windows user gets it: the program file's
# imports and version record, the portable zip, the installer, and a session
# of the window driven by real key and mouse input, all under Wine.
# usage: windows_test.sh imports|version|zip|installer|session BUILD_DIR
set -euo pipefail

what=$1
build=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/packaging_lib.sh"
wine_run=$here/../tools/wine_run.sh
exe=$build/app/$executable.exe
[ -f "$exe" ] || fail "no $exe"
base=$executable-$version-win64

# Windows' own libraries, which every Windows 10 has: the program may import
# these and Windows' API sets (api-ms-win-...), and nothing else.
system_dlls="advapi32 authz comdlg32 d3d9 d3d11 dwmapi dwrite dxgi gdi32 imm32 kernel32
msvcrt netapi32 ole32 oleaut32 shcore shell32 shlwapi user32 userenv version winmm winspool.drv
ws2_32 wtsapi32"

# Makes one of the packages in a scratch folder; prints its path.
make_package() {
  local generator=$1 file=$2
  (cd "$build" && cpack -G "$generator" -B "$scratch" >"$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log" >&2; fail "cpack -G $generator"; }
  [ -f "$scratch/$file" ] || fail "no $file; made: $(ls "$scratch")"
  # The packages a user takes also stand in the build folder.
  cp "$scratch/$file" "$build/"
  echo "$scratch/$file"
}

# A folder of the Wine user's, named by its environment variable, as a Linux
# path.
user_folder() {
  local windows
  windows=$("$wine_run" cmd /c echo "%$1%" | tr -d '\r')
  "$wine_run" winepath -u "$windows" 2>/dev/null | tr -d '\r'
}
# Waits until every program of the prefix has ended.
wait_for_wine() { "$wine_run" --server --wait; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

case "$what" in
imports)
  headers=$(x86_64-w64-mingw32-objdump -p "$exe")
  grep -q "^Subsystem.*(Windows GUI)" <<<"$headers" || fail "not a window program"
  imports=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sed 's/\.dll$//' | sort -u)
  [ -n "$imports" ] || fail "no imports read"
  for dll in $imports; do
    [[ $dll == api-ms-win-* ]] || grep -qw "$dll" <<<"$system_dlls" || fail "imports $dll.dll, which Windows does not have"
  done
  # Stripped: no symbols, no debugging sections.
  ! x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug' || fail "debugging sections left"
  x86_64-w64-mingw32-nm "$exe" 2>&1 | grep -q "no symbols" || fail "symbols left"
  echo "imports: $(tr '\n' ' ' <<<"$imports")"
  echo "size: $(stat -c %s "$exe") bytes"
  ;;
version)
  x86_64-w64-mingw32-windres -J coff -i "$exe" -O rc -o "$scratch/back.rc" ||
    fail "no resources read from $exe"
  check_version_record "$scratch/back.rc"
  ;;
zip)
  zip=$(make_package ZIP "$base.zip")
  (cd "$scratch" && cmake -E tar xf "$zip")
  listing=$(cd "$scratch/$base" && find . -type f | sort)
  [ "$listing" = "$(printf '%s\n' ./COPYING.txt ./README.txt "./$executable.exe")" ] ||
    fail "zip holds: $listing"
  cmp -s "$scratch/$base/$executable.exe" "$exe" || fail "the zip's program is not the one built"
  grep -q $'\r$' "$scratch/$base/README.txt" || fail "read-me without Windows line ends"
  grep -q "Дравик" "$scratch/$base/README.txt" || fail "read-me without its Bulgarian part"
  # The portable copy runs from where it was unpacked.
  check 0 "$name $version" "$wine_run" "$scratch/$base/$executable.exe" --version
  check 2 "$executable: unexpected argument 'x' ($executable --help lists the options)" \
    "$wine_run" "$scratch/$base/$executable.exe" x
  # The worked solution as a PDF page, with no window.
  check 0 "" "$wine_run" "$scratch/$base/$executable.exe" --solve a=3 b=4 c=5 \
    --pdf 'Z:'"${scratch//\//\\}"'\s.pdf'
  pdftotext "$scratch/s.pdf" - | grep -qxE "V ?= ?60" || fail "no answer in the PDF"
  # And with the box's net on a page of its own, at its true size.
  check 0 "" "$wine_run" "$scratch/$base/$executable.exe" --solve a=3 b=4 c=5 --unit cm --net \
    --pdf 'Z:'"${scratch//\//\\}"'\net.pdf'
  [ "$(pdfinfo "$scratch/net.pdf" | awk '/^Pages:/ {print $2}')" = 2 ] || fail "no net's page"
  pdftotext "$scratch/net.pdf" - | grep -q "Мащаб 1:1" || fail "the net is not at its true size"
  ;;
installer)
  setup=$(make_package NSIS "$base-setup.exe")
  # Installed for the user, silently, without administrator rights.
  "$wine_run" "$setup" /S
  wait_for_wine
  programs=$(user_folder LOCALAPPDATA)/Programs
  folder=$programs/$name
  [ -f "$folder/$executable.exe" ] || fail "not installed in $folder: $(ls -R "$programs" 2>&1)"
  cmp -s "$folder/$executable.exe" "$exe" || fail "the installed program is not the one built"
  start_menu="$(user_folder APPDATA)/Microsoft/Windows/Start Menu/Programs"
  [ -f "$start_menu/Дравик.lnk" ] || fail "no Start-menu entry: $(ls "$start_menu")"
  key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\'"$name"
  # Exported, as UTF-16, to see the Bulgarian name as it is stored.
  "$wine_run" reg export "$key" 'Z:'"${scratch//\//\\}"'\entry.reg' /y >/dev/null ||
    fail "not among the user's programs"
  iconv -f UTF-16 -t UTF-8 "$scratch/entry.reg" | grep -q "\"DisplayName\"=\"Дравик ($name)\"" ||
    fail "listed as: $(iconv -f UTF-16 -t UTF-8 "$scratch/entry.reg")"
  check 0 "$name $version" "$wine_run" "$folder/$executable.exe" --version
  # Uninstalled silently: nothing left, neither files nor the entry.
  "$wine_run" "$folder/Uninstall.exe" /S
  wait_for_wine
  [ ! -e "$folder" ] || fail "left behind: $(find "$folder")"
  [ ! -e "$start_menu/Дравик.lnk" ] || fail "Start-menu entry left behind"
  ! "$wine_run" reg query "$key" >/dev/null 2>&1 || fail "uninstall entry left behind"
  ;;
session)
  bash "$here/windows_session.sh" "$exe"
  ;;
*)
  fail "unknown check $what"
  ;;
esac
echo "$what: ok"
