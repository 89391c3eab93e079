#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs every test: ./test.sh (default preset), ./test.sh asan, or
# ./test.sh windows (the Windows program, cross-built and tested under Wine).
set -euo pipefail
cd "$(dirname "$0")"
preset=${1:-default}
case "$preset" in
  default|asan) ;;
  windows) exec tools/windows.sh ;;
  *) echo "usage: $0 [default|asan|windows]" >&2; exit 2 ;;
esac

. tools/deps.sh
prism_install_all

# The tests, and the benches where the preset builds them, are configured
# only here: ./run.sh needs neither.
options=(-DPRISM_BUILD_TESTS=ON)
[ "$preset" != default ] || options+=(-DPRISM_BUILD_BENCH=ON)
cmake --preset "$preset" "${options[@]}"
cmake --build --preset "$preset"
ctest --preset "$preset"
