#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12.
# Sourced by test.sh and run.sh; the package list lives here and nowhere else.
set -euo pipefail

prism_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins
  libgtest-dev libbenchmark-dev
  fonts-liberation
  xvfb xauth
  desktop-file-utils appstream dpkg-dev file binutils-mingw-w64-x86-64
  clang libclang-rt-14-dev
  locales
)

# Locales the regional-settings tests run under.
prism_locales=(en_US.UTF-8 de_DE.UTF-8 bg_BG.UTF-8)

prism_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

prism_install_packages() {
  local missing=()
  local p
  for p in "${prism_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    prism_as_root apt-get update -qq
    prism_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

prism_generate_locales() {
  local l have
  have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
  for l in "${prism_locales[@]}"; do
    local want
    want=$(echo "$l" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
    if ! grep -qx "$want" <<<"$have"; then
      echo "Generating locale $l"
      prism_as_root localedef -i "${l%%.*}" -f UTF-8 "$l"
    fi
  done
}

prism_install_all() {
  prism_install_packages
  prism_generate_locales
}
