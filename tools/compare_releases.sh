#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the release twice, in two clones of this one's last commit at
# folders of different names and depths, and compares the two SHA256SUMS.
# Where they differ, prints diffoscope's summary of the first file that
# differs and fails. Run by .ci/run.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
prism_install_packages "${prism_release_packages[@]}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
first=$scratch/one/dravik
second=$scratch/a/longer/path/to/the/other/clone
for clone in "$first" "$second"; do
  mkdir -p "$(dirname "$clone")"
  git clone -q "$PWD" "$clone"
  "$clone/tools/release.sh" >/dev/null
done
if cmp -s "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS"; then
  echo "release reproduced:"
  cat "$first/dist/SHA256SUMS"
  exit 0
fi
echo "FAIL: two builds of the same commit differ" >&2
diff "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS" >&2 || true
file=$(diff <(sort "$first/dist/SHA256SUMS") <(sort "$second/dist/SHA256SUMS") |
       sed -n 's/^< [0-9a-f]*  //p' | head -1)
diffoscope --no-progress --max-report-size 200000 --text - \
  "$first/dist/$file" "$second/dist/$file" | head -150 >&2 || true
exit 1
