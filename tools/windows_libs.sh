#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The libraries the Windows program and its tests link, cross-built with
# mingw-w64 once per machine and kept under ~/.cache: a static Qt from
# Debian's own qtbase source of the Qt version installed here, and GoogleTest
# from Debian's source of it. Sourced by tools/windows.sh; prism_windows_qt
# and prism_windows_gtest print the install prefix.
set -euo pipefail

prism_qt_cache=${XDG_CACHE_HOME:-$HOME/.cache}/dravik

# Only what the program uses. OpenGL is switched off at its input, so that
# the dynamic OpenGL loader goes with it (the Windows platform plugin does not
# compile with one but not the other). Debian removed wintab.h from its
# source, so the tablet code does not compile and is left out.
prism_qt_options=(
  -DBUILD_SHARED_LIBS=OFF
  -DCMAKE_BUILD_TYPE=Release
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
  -DINPUT_opengl=no -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_tabletevent=OFF
  # The MIME database is minified where xmlstarlet happens to be installed:
  # never, so that it is the same on every machine.
  -Dxmlstarlet=xmlstarlet-NOTFOUND
)

# What the program takes from the static Qt must not depend on where this
# machine keeps it, so that a release built on another machine is the same bit
# for bit: Qt writes its install prefix into QtCore, and the source paths of
# its few messages that name their file into the objects. It is configured for
# a fixed prefix and installed through DESTDIR, and its paths are mapped to
# fixed names. Qt's build also packs its MIME database with the time it is
# built at, unless SOURCE_DATE_EPOCH is set: it is, to the time of Debian's
# source. These are part of the cache key.
prism_qt_fixed_prefix=/dravik-qt
prism_qt_source_name=/qt-source
prism_qt_build_name=/qt-build

# Sets prism_apt_options to the apt options that read and keep source lists
# in a directory of our own, so that the machine's apt configuration stays as
# it is.
prism_private_apt_options() {
  local dir=$1
  prism_apt_options=(
    -o "Dir::Etc::SourceList=$dir/sources.list"
    -o "Dir::Etc::SourceParts=$dir/sources.list.d"
    -o "Dir::State::Lists=$dir/lists"
    -o "Dir::Cache=$dir/cache"
  )
}

# The deb-src entries of the archives this machine installs from.
prism_write_source_entries() {
  local dir=$1 f
  mkdir -p "$dir/sources.list.d" "$dir/lists/partial" "$dir/cache/archives/partial"
  : >"$dir/sources.list"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$dir/sources.list.d/$(basename "$f")"
  done
  if [ -e /etc/apt/sources.list ]; then
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list >>"$dir/sources.list"
  fi
  for f in /etc/apt/sources.list.d/*.list; do
    [ -e "$f" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >>"$dir/sources.list"
  done
  return 0
}

# Unpacks qtbase's Debian source of the given version into the directory.
prism_fetch_qt_source() {
  local version=$1 into=$2 apt_dir
  apt_dir=$into/apt
  prism_write_source_entries "$apt_dir"
  prism_private_apt_options "$apt_dir"
  apt-get "${prism_apt_options[@]}" -qq update 2>&1 | grep -v unsandboxed >&2 || true
  (cd "$into" && apt-get "${prism_apt_options[@]}" -qq source "qt6-base=$version" 2>&1 >/dev/null |
     grep -v -e unsandboxed -e 'dpkg-source: warning' >&2 || true)
  rm -rf "$apt_dir"
}

# Runs the command holding the cache's lock, so that two builds at once never
# write one cache: the second waits, then finds what the first made.
prism_with_cache_lock() {
  mkdir -p "$prism_qt_cache"
  (
    flock 9
    "$@"
  ) 9>"$prism_qt_cache/.lock"
}

prism_windows_qt() { prism_with_cache_lock prism_build_windows_qt "$@"; }
prism_windows_gtest() { prism_with_cache_lock prism_build_windows_gtest "$@"; }

# Builds and installs the static Qt unless the cache has it; prints its prefix.
prism_build_windows_qt() {
  local repo=$1 version key prefix work src started
  version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
  key=$( (printf '%s\n' "${prism_qt_options[@]}" "$prism_qt_fixed_prefix" \
            "$prism_qt_source_name" "$prism_qt_build_name" "SOURCE_DATE_EPOCH of debian/changelog"
          cat "$repo/cmake/mingw-w64-x86_64.cmake") |
         sha256sum | cut -c1-12)
  prefix=$prism_qt_cache/qt-${version//[^A-Za-z0-9.]/_}-mingw-$key
  if [ -e "$prefix/.complete" ]; then
    echo "$prefix"
    return 0
  fi
  started=$(date +%s)
  work=$prism_qt_cache/build-$key
  rm -rf "$work" "$prefix"
  mkdir -p "$work"
  echo "Fetching Debian's qtbase source $version ..." >&2
  prism_fetch_qt_source "$version" "$work"
  src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
  [ -n "$src" ] || { echo "qtbase source not unpacked in $work" >&2; return 1; }
  echo "Building the static Qt for Windows (once per machine; some 30 minutes) ..." >&2
  local maps="-ffile-prefix-map=$src=$prism_qt_source_name -ffile-prefix-map=$work/build=$prism_qt_build_name"
  local SOURCE_DATE_EPOCH
  SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$src/debian/changelog" -STimestamp)
  export SOURCE_DATE_EPOCH
  # Qt's installed toolchain file remembers this clone's toolchain by its
  # path, which is gone once the clone is; the windows preset names the
  # toolchain of the clone that builds (QT_CHAINLOAD_TOOLCHAIN_FILE).
  cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_C_FLAGS="$maps" -DCMAKE_CXX_FLAGS="$maps" \
    -DCMAKE_INSTALL_PREFIX="$prism_qt_fixed_prefix" "${prism_qt_options[@]}" >"$work/configure.log" 2>&1 ||
    { tail -40 "$work/configure.log" >&2; return 1; }
  cmake --build "$work/build" >"$work/build.log" 2>&1 ||
    { grep -B2 -A20 -m1 'FAILED:' "$work/build.log" >&2 || tail -40 "$work/build.log" >&2; return 1; }
  DESTDIR=$work/stage cmake --install "$work/build" >"$work/install.log" 2>&1 ||
    { tail -20 "$work/install.log" >&2; return 1; }
  mv "$work/stage$prism_qt_fixed_prefix" "$prefix"
  echo "Static Qt built in $(( $(date +%s) - started )) s" | tee "$prefix/.complete" >&2
  rm -rf "$work"
  echo "$prefix"
}

# Builds and installs GoogleTest for Windows unless the cache has it; prints
# its prefix.
prism_build_windows_gtest() {
  local repo=$1 version key prefix work
  version=$(dpkg-query -W -f='${Version}' googletest)
  key=$(sha256sum <"$repo/cmake/mingw-w64-x86_64.cmake" | cut -c1-12)
  prefix=$prism_qt_cache/googletest-${version//[^A-Za-z0-9.]/_}-mingw-$key
  if [ -e "$prefix/.complete" ]; then
    echo "$prefix"
    return 0
  fi
  work=$(mktemp -d)
  cmake -S /usr/src/googletest -B "$work" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$prefix" \
    >"$work.log" 2>&1 &&
    cmake --build "$work" >>"$work.log" 2>&1 &&
    cmake --install "$work" >>"$work.log" 2>&1 ||
    { tail -30 "$work.log" >&2; return 1; }
  touch "$prefix/.complete"
  rm -rf "$work" "$work.log"
  echo "$prefix"
}
