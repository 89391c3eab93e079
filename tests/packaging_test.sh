#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what the program gives the desktop: the installed files, the desktop
# entry and AppStream data, the Debian package, the Windows version record and
# the command line.
# usage: packaging_test.sh install|deb|windres|cli BUILD_DIR
set -euo pipefail

what=$1
build=$(cd "$2" && pwd)
. "$(dirname "$0")/packaging_lib.sh"

case "$what" in
install)
  stage=$(mktemp -d)
  trap 'rm -rf "$stage"' EXIT
  cmake --install "$build" --prefix "$stage" >/dev/null
  icons=()
  for size in $icon_sizes; do icons+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png"); done
  expected=$(printf '%s\n' "bin/$executable" \
    "share/applications/$app_id.desktop" "${icons[@]}" \
    "share/metainfo/$app_id.metainfo.xml" \
    "share/doc/$executable/copyright" "share/doc/$executable/changelog.gz" \
    "share/man/man1/$executable.1.gz" "share/lintian/overrides/$executable" "$print_module" | sort)
  actual=$(cd "$stage" && find . -type f | sed 's|^\./||' | sort)
  [ "$actual" = "$expected" ] || fail "installed files:"$'\n'"$actual"$'\n'"expected:"$'\n'"$expected"

  desktop="$stage/share/applications/$app_id.desktop"
  metainfo="$stage/share/metainfo/$app_id.metainfo.xml"
  desktop-file-validate "$desktop" || fail "desktop entry does not validate"
  appstreamcli validate --no-net "$metainfo" || fail "AppStream data do not validate"

  grep -qx "Name=$name" "$desktop" || fail "desktop entry name"
  grep -qx "Comment\[bg\]=$title" "$desktop" || fail "Bulgarian comment is not the window title's text"
  grep -q "^Name\[bg\]=" "$desktop" || fail "no Bulgarian name"
  grep -q "<project_license>GPL-3.0-or-later</project_license>" "$metainfo" || fail "AppStream licence"
  grep -qx "Icon=$app_id" "$desktop" || fail "desktop entry icon"
  grep -qx "Exec=$executable" "$desktop" || fail "desktop entry command"
  grep -qx "Categories=Education;Math;" "$desktop" || fail "desktop entry categories"
  grep -q "<id>$app_id</id>" "$metainfo" || fail "AppStream id"
  grep -q "<release version=\"$version\"" "$metainfo" || fail "AppStream release is not $version"
  grep -q "<url type=\"homepage\">https://$address/</url>" "$metainfo" || fail "AppStream homepage"
  grep -q "<name>$address</name>" "$metainfo" || fail "AppStream developer"
  grep -q "<summary xml:lang=\"bg\">$title</summary>" "$metainfo" || fail "Bulgarian summary"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "AppStream launchable"
  for size in $icon_sizes; do
    cmp -s "$stage/share/icons/hicolor/${size}x${size}/apps/$app_id.png" \
      "$(dirname "$0")/../resources/icon-$size.png" || fail "installed $size px icon is not the window's"
  done
  if appstreamcli compose --help >/dev/null 2>&1; then
    # What a software centre takes from the package: the entry, with its icon.
    out="$stage/compose"
    appstreamcli compose --no-net --origin="$executable" --result-root="$out" --prefix=/ "$stage" >"$stage/compose.log" 2>&1 ||
      { cat "$stage/compose.log"; fail "appstream compose"; }
    catalogue=$(zcat "$out/share/swcatalog/xml/$executable.xml.gz")
    grep -q "<id>$app_id</id>" <<<"$catalogue" || fail "no catalogue entry"
    grep -q '<icon type="cached" width="128" height="128">' <<<"$catalogue" || fail "no icon in the catalogue"
  fi
  ;;
deb)
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
  (cd "$build" && cpack -G DEB -B "$out" >/dev/null)
  deb="$out/${executable}_${version}_$(dpkg --print-architecture).deb"
  [ -f "$deb" ] || fail "no package $deb; made: $(ls "$out")"
  [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
  depends=$(dpkg-deb -f "$deb" Depends)
  for needed in libqt6widgets6 fonts-liberation qt6-qpa-plugins; do
    grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
  done
  contents=$(dpkg-deb -c "$deb")
  grep -q "\./usr/bin/$executable$" <<<"$contents" || fail "package lacks /usr/bin/$executable"
  grep -q "\./usr/share/applications/$app_id.desktop$" <<<"$contents" ||
    fail "package lacks the desktop entry"
  # The sanitizer build is no package to hand out; only a build with Debian's
  # flags is held to Debian's checks.
  debian_flags=false
  grep -q '^PRISM_DEBIAN_BUILD_FLAGS:BOOL=ON$' "$build/CMakeCache.txt" && debian_flags=true
  if $debian_flags && command -v lintian >/dev/null; then
    tags=$(lintian --pedantic "$deb" 2>&1 | grep -v 'running with root privileges' || true)
    ! grep -q '^[EW]: ' <<<"$tags" || fail "lintian:"$'\n'"$tags"
  fi
  if $debian_flags && command -v hardening-check >/dev/null; then
    dpkg-deb -x "$deb" "$out/root"
    # Branch protection is an AArch64 feature, which later hardening-checks
    # look for on every architecture.
    skip=()
    if [ "$(dpkg --print-architecture)" != arm64 ] &&
       grep -q -- --nobranchprotection <<<"$(hardening-check --help 2>&1)"; then
      skip=(--nobranchprotection)
    fi
    hardening-check "${skip[@]}" "$out/root/usr/bin/$executable" || fail "hardening-check"
  fi
  ;;
cli)
  program="$build/app/$executable"
  check 0 "Usage: $program [options]" "$program" --help
  check 0 "$name $version" "$program" --version
  check 2 "$executable: Unknown option 'bogus'. ($executable --help lists the options)" "$program" --bogus
  check 2 "$executable: unexpected argument 'x' ($executable --help lists the options)" "$program" x
  # The worked solution needs no display, and reads the user's decimal comma.
  check 0 "Дадено:" env -u DISPLAY LC_ALL=bg_BG.UTF-8 "$program" --solve a=2,5 b=4 V=50
  check 1 "Дадено:" "$program" --solve a=10 c=1 S=4
  check 2 "$executable: a=4: a is given twice" "$program" --solve a=3 a=4 V=5
  check 2 "$executable: --unit km: no such unit (мм, см, дм, м or mm, cm, dm, m)" \
    "$program" --solve a=3 b=4 V=5 --unit km
  # In the user's language: Bulgarian under a Bulgarian locale.
  check 2 "$executable: --unit km: няма такава мерна единица (мм, см, дм, м или mm, cm, dm, m)" \
    env LC_ALL=bg_BG.UTF-8 "$program" --solve a=3 b=4 V=5 --unit km
  check 2 "$executable: a=4: a е дадено два пъти" env LANGUAGE= LC_ALL= LANG=bg_BG.UTF-8 "$program" --solve a=3 a=4 V=5
  # Any problem about the box, as the notebook writes it: 0 solved, 1 data
  # that contradict each other, 2 a wrong item or missing data.
  check 0 "Дадено:" "$program" --solve "S₁ = 54 см²" --cube "V = ?"
  "$program" --solve "S₁ = 54 см²" --cube "V = ?" | grep -qx "V = 27 см³ = 0.027 л" ||
    fail "the cube's volume"
  check 0 "Дадено:" "$program" --solve "a = 3 дм" "b = 2 дм 5 см" "c = 2 дм" "V = ?"
  check 1 "Дадено:" "$program" --solve a=3 b=4 c=5 V=6
  check 2 "$executable: --solve: Липсва още една величина, например c." "$program" --solve a=3 V=60
  check 2 "$executable: --solve: „S2 = 5“: няма такава величина" "$program" --solve "S2 = 5" a=3
  # Written for the grade, rounded as asked: grade 7's discriminant.
  "$program" --solve c=5 S=70 V=60 --grade 7 --round 1 | grep -qxF "D = (a + b)² − 4·a·b = 7² − 4·12 = 1" ||
    fail "grade 7 writes no discriminant"
  check 2 "$executable: --grade 8: no such grade (5, 6 or 7) ($executable --help lists the options)" \
    "$program" --solve c=5 S=70 V=60 --grade 8
  # A worksheet: its tasks, then their key; the same seed the same sheet.
  check 0 "1. Правоъгълен паралелепипед има размери 36 см, 5 см и 6 см. Намерете обема му." \
    "$program" --worksheet 4 --seed 5
  [ "$("$program" --worksheet 12 --seed 9 --grade 7)" = "$("$program" --worksheet 12 --seed 9 --grade 7)" ] ||
    fail "a worksheet differs from its seed's"
  check 2 "$executable: --kinds 19: no such kinds (numbers from 1 to 18, separated by commas)" \
    "$program" --worksheet 2 --kinds 19
  check 2 "$executable: --round 4: no such rounding (1, 2, 3 or 7 decimals) ($executable --help lists the options)" \
    "$program" --solve c=5 S=70 V=60 --round 4
  check 2 "$executable: --cube: only with --solve ($executable --help lists the options)" \
    "$program" --cube
  # The same as one PDF page of real text, written with no display.
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
  check 0 "" env -u DISPLAY -u QT_QPA_PLATFORM "$program" --solve c=5 S=70 V=60 --pdf "$out/s.pdf"
  [ "$(pdfinfo "$out/s.pdf" | awk '/^Pages:/ {print $2}')" = 1 ] || fail "not one page"
  pdftotext "$out/s.pdf" - | grep -qxE "b ?= ?4" || fail "no answer in the PDF"
  # With its net on a page of its own, at its true size.
  check 0 "" "$program" --solve a=3 b=4 c=5 --unit см --net --pdf "$out/net.pdf"
  [ "$(pdfinfo "$out/net.pdf" | awk '/^Pages:/ {print $2}')" = 2 ] || fail "not two pages"
  pdftotext "$out/net.pdf" - | grep -q "Мащаб 1:1" || fail "no scale on the net's page"
  check 2 "$executable: --net: only with --pdf ($executable --help lists the options)" \
    "$program" --solve a=3 b=4 c=5 --net
  check 2 "$executable: --pdf $out/no/s.pdf: cannot be written; what was there is left as it was" \
    "$program" --solve a=3 b=4 c=5 --pdf "$out/no/s.pdf"
  # Only a regular file is written over: a pipe or a device stays what it is.
  mkfifo "$out/pipe"
  check 2 "$executable: --pdf $out/pipe: not a regular file; nothing was written" \
    "$program" --solve a=3 b=4 c=5 --pdf "$out/pipe"
  [ -p "$out/pipe" ] || fail "the pipe was replaced"
  check 2 "$executable: --pdf /dev/null: not a regular file; nothing was written" \
    "$program" --solve a=3 b=4 c=5 --pdf /dev/null
  [ -c /dev/null ] || fail "/dev/null was replaced"
  check 2 "$executable: --unit: given twice ($executable --help lists the options)" \
    "$program" --solve a=3 b=4 c=5 --unit m --unit cm
  check 2 "$executable: b=4.9e-324: '4.9e-324' is too close to zero for the computer" \
    "$program" --solve a=3 b=4.9e-324 c=5
  # A disk that runs full during the write, and one full before it: a small
  # tmpfs of its own in a mount namespace, where this machine lets one be
  # made. The file that was there stays as it was, and no other is left.
  if unshare --mount --propagation private mount -t tmpfs -o size=16k tmpfs "$out" 2>/dev/null; then
    disk=$(unshare --mount --propagation private bash -c '
      mount -t tmpfs -o size=16k tmpfs "$1" && cd "$1" || exit
      printf old >s.pdf
      "$2" --solve c=5 S=70 V=60 --pdf s.pdf 2>/dev/null; echo "during: $? $(cat s.pdf) $(ls -A | xargs)"
      head -c 1M /dev/zero >fill 2>/dev/null
      "$2" --solve c=5 S=70 V=60 --pdf s.pdf 2>/dev/null; echo "before: $? $(cat s.pdf) $(ls -A | xargs)"
    ' _ "$out" "$program")
    [ "$disk" = $'during: 2 old s.pdf\nbefore: 2 old fill s.pdf' ] || fail "a full disk:"$'\n'"$disk"
  else
    echo "cli: a full disk not tried: no mount namespace with a tmpfs here"
  fi
  check 1 "$executable: cannot open a window: no display. Set DISPLAY, or run it under xvfb-run." \
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL=C "$program"
  check 1 "$executable: cannot open a window: the window system could not be reached. Check DISPLAY, or choose another with -platform (xcb, wayland, offscreen); Qt's plugins are in qt6-qpa-plugins." \
    env -u QT_QPA_PLATFORM "$program" -platform nonexistent
  ;;
windres)
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
  # The script needs no headers, so the host's preprocessor serves.
  x86_64-w64-mingw32-windres --preprocessor=cpp --preprocessor-arg=-P \
    -i "$build/app/version.rc" -O res -o "$out/version.res"
  x86_64-w64-mingw32-windres -J res -i "$out/version.res" -O rc -o "$out/back.rc"
  check_version_record "$out/back.rc"
  ;;
*)
  fail "unknown check $what"
  ;;
esac
echo "$what: ok"
