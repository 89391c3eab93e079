#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian 12 and 13 packages and locales the scripts need, and their installer.
# Sourced by run.sh, test.sh and the tools; the lists live here and
# nowhere else.
set -euo pipefail

# What building and running the program need (./run.sh); dpkg-dev gives the
# default preset Debian's hardening flags.
prism_build_packages=(
  g++ cmake ninja-build pkg-config dpkg-dev libboost-dev
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n qt6-l10n-tools
  fonts-liberation
)

# What testing, packaging checks, fuzzing and CI add (./test.sh, .ci/run).
prism_test_packages=(
  libgtest-dev libbenchmark-dev
  xvfb xauth
  desktop-file-utils appstream appstream-compose dpkg-dev file binutils-mingw-w64-x86-64
  lintian devscripts poppler-utils
  clang libclang-rt-dev
  locales
)

# What building the Windows program and testing it under Wine add
# (./test.sh windows): the cross compilers, Wine, the installer maker, the
# sources of Qt's and GoogleTest's builds, and what drives and looks at the
# window in a session.
prism_windows_packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 nsis
  dpkg-dev googletest
  xvfb xauth xdotool xclip imagemagick
)

# What tools/release.sh adds to the build list: the Windows cross-build and
# installer maker, the Debian package's dependency finder, and what compares
# two releases in CI.
prism_release_packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis
  dpkg-dev file diffoscope-minimal
)

# Locales the regional-settings tests run under, as /etc/locale.gen lists them.
prism_locales=("en_US.UTF-8 UTF-8" "de_DE.UTF-8 UTF-8" "bg_BG.UTF-8 UTF-8" "fr_FR ISO-8859-1")

prism_can_be_root() {
  [ "$(id -u)" -eq 0 ] || command -v sudo >/dev/null 2>&1
}

prism_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Says what is missing and how to install it, where this user cannot.
prism_cannot_install() {
  echo "Missing: $1" >&2
  echo "Install as root, then run this again:" >&2
  echo "  $2" >&2
  exit 1
}

# Installs the packages given that are not installed yet.
prism_install_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ "${#missing[@]}" -eq 0 ] && return 0
  prism_can_be_root ||
    prism_cannot_install "${missing[*]}" "apt-get install --no-install-recommends ${missing[*]}"
  echo "Installing: ${missing[*]}"
  # Waits, for up to ten minutes, where another apt holds the package
  # manager (the system's automatic updates, a second terminal).
  local wait=(-o DPkg::Lock::Timeout=600)
  prism_as_root apt-get "${wait[@]}" update -qq
  prism_as_root env DEBIAN_FRONTEND=noninteractive apt-get "${wait[@]}" install -y -qq \
    --no-install-recommends "${missing[@]}"
}

# The name `locale -a` gives an entry of /etc/locale.gen: "fr_FR ISO-8859-1"
# is fr_FR.iso88591, "bg_BG.UTF-8 UTF-8" is bg_BG.utf8.
prism_locale_name() {
  local name=${1%% *} charset=${1#* }
  charset=$(echo "$charset" | tr 'A-Z' 'a-z' | tr -d '-')
  echo "${name%%.*}.$charset"
}

# Adds the locales to /etc/locale.gen and generates them, so that a later
# locale-gen keeps them.
prism_generate_locales() {
  local entry have missing=()
  have=$(locale -a 2>/dev/null || true)
  for entry in "${prism_locales[@]}"; do
    if ! grep -qx "$(prism_locale_name "$entry")" <<<"$have" ||
       ! grep -qx "$entry" /etc/locale.gen 2>/dev/null; then
      missing+=("$entry")
    fi
  done
  [ "${#missing[@]}" -eq 0 ] && return 0
  if ! prism_can_be_root; then
    local lines
    lines=$(printf "'%s' " "${missing[@]}")
    prism_cannot_install "the locales ${missing[*]}" \
      "for l in $lines; do grep -qx \"\$l\" /etc/locale.gen || echo \"\$l\" >> /etc/locale.gen; done; locale-gen"
  fi
  echo "Generating locales: ${missing[*]}"
  for entry in "${missing[@]}"; do
    # Uncomments the entry where the file lists it, else appends it.
    prism_as_root sed -i "s/^# *\(${entry//./\\.}\)\$/\1/" /etc/locale.gen
    grep -qx "$entry" /etc/locale.gen || echo "$entry" | prism_as_root tee -a /etc/locale.gen >/dev/null
  done
  prism_as_root locale-gen >/dev/null
}

# What ./run.sh needs.
prism_install_build() {
  prism_install_packages "${prism_build_packages[@]}"
}

# What ./test.sh and .ci/run need.
prism_install_all() {
  prism_install_packages "${prism_build_packages[@]}" "${prism_test_packages[@]}"
  prism_generate_locales
}
