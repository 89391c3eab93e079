#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows program on this Debian machine and tests it under Wine:
# dravik.exe (build/windows/app/), the portable zip and the installer
# (build/windows/). Run by ./test.sh windows.
# The first run on a machine builds a static Qt (some 30 to 60 minutes on two
# cores); later runs take it from ~/.cache/dravik.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
prism_install_all
prism_install_packages "${prism_windows_packages[@]}"
. tools/windows_libs.sh

PRISM_WINDOWS_QT=$(prism_windows_qt "$PWD")
PRISM_WINDOWS_GTEST=$(prism_windows_gtest "$PWD")
export PRISM_WINDOWS_QT PRISM_WINDOWS_GTEST

# Wine, started by the build and the tests in the project's prefix, is
# stopped at the end; its programs and the window session draw on a screen of
# their own.
trap 'tools/wine_run.sh --server --kill 2>/dev/null || true' EXIT
cmake --preset windows
cmake --build --preset windows
# -noreset: the screen stays as it is when the last program on it closes.
xvfb-run --auto-servernum --server-args="-screen 0 1920x1440x24 -noreset" ctest --preset windows
