#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program and opens its window.
set -euo pipefail
cd "$(dirname "$0")"
. tools/deps.sh
prism_install_build
cmake --preset default >/dev/null
# The executable's name, as the build description defines it.
. build/default/generated/prism/program_info.sh
cmake --build --preset default --target "$executable"
exec "build/default/app/$executable"
