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
# Debian's wineserver ends the moment its last program does (-p0), so a
# program started just then can meet a server on its way out and fail at
# once: one test in a few hundred did. For the build and the test programs
# one server is kept for the prefix (the last -p wins over -p0) and ended at
# the close. The packages' checks wait for the installer's programs by the
# server's end, so they run after it, with the server as Debian starts it.
tools/wine_run.sh --server --kill 2>/dev/null || true
tools/wine_run.sh --server --wait 2>/dev/null || true
tools/wine_run.sh --server -p
# Wine's own services start with the first program and stay with the server:
# started here, so that they hold no test's output open.
tools/wine_run.sh wineboot </dev/null >/dev/null 2>&1
cmake --preset windows
cmake --build --preset windows
# -noreset: the screen stays as it is when the last program on it closes.
screen=(xvfb-run --auto-servernum --server-args="-screen 0 1920x1440x24 -noreset")
"${screen[@]}" ctest --preset windows-programs
tools/wine_run.sh --server --kill
tools/wine_run.sh --server --wait 2>/dev/null || true
"${screen[@]}" ctest --preset windows-packages
