#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The project on Debian 13 "trixie", from a Debian 12 machine, each time in a
# fresh minimal root (debootstrap's minbase, made once per machine and kept
# as a tarball under ~/.cache/dravik):
#   tools/debian13.sh test        ./test.sh inside, as a newcomer runs it
#   tools/debian13.sh deb FILE    installs the package FILE (built on Debian 12)
#                                 and starts the program
# proc and dev are mounted in the root only while a command runs in it, and
# the root is removed only when nothing is mounted in it. Run by .ci/run.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() { echo "usage: $0 test | deb FILE" >&2; exit 2; }
# The arguments first, before anything is installed or made.
case "${1:-}" in
  test) [ $# -eq 1 ] || usage ;;
  deb) [ $# -eq 2 ] || usage; [ -f "$2" ] || { echo "no package $2" >&2; exit 2; } ;;
  *) usage ;;
esac
# chroot and mount need root.
[ "$(id -u)" -eq 0 ] || { echo "$0: run as root (it mounts and chroots)" >&2; exit 2; }

. tools/deps.sh
prism_install_packages debootstrap

suite=trixie
mirror=http://deb.debian.org/debian
cache=${XDG_CACHE_HOME:-$HOME/.cache}/dravik
tarball=$cache/debian13-$suite-minbase.tar

root=
mounts=()

unmount_all() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[i]}" || umount --lazy "${mounts[i]}"
  done
  mounts=()
}

remove_root() {
  unmount_all
  [ -n "$root" ] || return 0
  if mountpoint -q "$root/proc" || mountpoint -q "$root/dev"; then
    echo "left $root in place: something is still mounted in it" >&2
  else
    # Never into a file system mounted below it, should one be left there.
    rm -rf --one-file-system "$root"
  fi
  root=
}
trap remove_root EXIT

# The minimal root, made once: debootstrap into a scratch folder, packed.
ensure_tarball() {
  [ -f "$tarball" ] && return 0
  local scratch started
  started=$(date +%s)
  mkdir -p "$cache"
  scratch=$(mktemp -d "$cache/debootstrap.XXXXXX")
  echo "Making a minimal Debian 13 root (once per machine) ..."
  if ! debootstrap --variant=minbase "$suite" "$scratch" "$mirror" >"$scratch.log" 2>&1; then
    tail -20 "$scratch.log" >&2
    rm -rf "$scratch" "$scratch.log"
    return 1
  fi
  tar -C "$scratch" -cf "$tarball.partial" .
  mv "$tarball.partial" "$tarball"
  rm -rf "$scratch" "$scratch.log"
  echo "Debian 13 root made in $(( $(date +%s) - started )) s"
}

new_root() {
  root=$(mktemp -d "$cache/debian13-root.XXXXXX")
  tar -C "$root" -xf "$tarball"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
}

# Runs a command in the root as root, with proc and dev mounted meanwhile;
# stops where either cannot be mounted.
in_root() {
  local status=0
  mount -t proc proc "$root/proc" || { echo "cannot mount proc in $root" >&2; exit 1; }
  mounts+=("$root/proc")
  mount --bind /dev "$root/dev" || { echo "cannot mount dev in $root" >&2; exit 1; }
  mounts+=("$root/dev")
  chroot "$root" env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 ${CI:+CI="$CI"} "$@" || status=$?
  unmount_all
  return "$status"
}

run_tests() {
  new_root
  mkdir "$root/src"
  git ls-files -z | tar --null -T - -cf - | tar -C "$root/src" -xf -
  in_root bash -c 'cd /src && ./test.sh'
  remove_root
}

run_package() {
  local deb=$1 name status=0
  new_root
  name=$(basename "$deb")
  cp "$deb" "$root/tmp/$name"
  # The file's name is an argument of the script, never part of its code.
  in_root bash -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "$1" >/dev/null' install "/tmp/$name"
  executable=$(dpkg-deb -f "$deb" Package)
  in_root "$executable" --version
  # The window stays up on the offscreen platform until the time-out ends it.
  in_root env QT_QPA_PLATFORM=offscreen timeout 5 "$executable" || status=$?
  [ "$status" -eq 124 ] || { echo "the window did not stay up (status $status)" >&2; exit 1; }
  echo "Debian 13: the Debian 12 package installs and its window stays up"
  remove_root
}

ensure_tarball
case "$1" in
  test) run_tests ;;
  deb) run_package "$2" ;;
esac
