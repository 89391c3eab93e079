#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds every file a user downloads from the clone this script stands in,
# into dist/: the Debian package, the Windows zip and installer, and
# SHA256SUMS over the three. Runs no tests. The same source gives the same
# bytes in any folder, on any day: every time stamp is the last commit's
# (SOURCE_DATE_EPOCH), no folder of this machine reaches the files, and the
# Windows program is linked against the static Qt of ./test.sh windows
# (built first where ~/.cache has none).
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
prism_install_packages "${prism_build_packages[@]}" "${prism_release_packages[@]}"
. tools/windows_libs.sh

started=$(date +%s)
# The time of the last commit, and nothing of the machine's settings.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8 LANG=C.UTF-8
unset CI
umask 022

PRISM_WINDOWS_QT=$(prism_windows_qt "$PWD")
export PRISM_WINDOWS_QT

rm -rf build/release-linux build/release-windows dist
mkdir dist

# cpack writes into the build folder; each package is moved to dist/.
package() {
  local preset=$1
  shift
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  (cd "build/$preset" && for generator in "$@"; do cpack -G "$generator" >/dev/null; done)
}

package release-linux DEB
mv build/release-linux/*.deb dist/
package release-windows ZIP NSIS
mv build/release-windows/*-win64.zip build/release-windows/*-win64-setup.exe dist/

(cd dist && LC_ALL=C sha256sum -- *.deb *.zip *.exe >SHA256SUMS)
cat dist/SHA256SUMS
echo "release built in $(($(date +%s) - started)) s into $PWD/dist" >&2
