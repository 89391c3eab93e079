#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs every test: ./test.sh (default preset) or ./test.sh asan.
set -euo pipefail
cd "$(dirname "$0")"
preset=${1:-default}
case "$preset" in
  default|asan) ;;
  *) echo "usage: $0 [default|asan]" >&2; exit 2 ;;
esac

. tools/deps.sh
prism_install_all

cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"
