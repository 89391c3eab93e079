#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets and runs each on a scratch copy of its seed corpus.
#   tools/fuzz.sh 20           about 20 seconds per target
#   tools/fuzz.sh runs 10000000  that many executions per target
# A failing input is left in build/fuzz/artifacts/; add it to the seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
prism_install_all

if [ "${1:-}" = runs ]; then limit=(-runs="${2:?how many runs}")
else limit=(-max_total_time="${1:-20}")
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
targets=(parse round_trip solve notation)
for target in "${targets[@]}"; do
  scratch=$(mktemp -d)
  echo "== $target"
  log="$artifacts/$target.log"
  status=0
  build/fuzz/tests/fuzz/prism_${target}_fuzz "${limit[@]}" -print_final_stats=1 \
    -artifact_prefix="$artifacts/${target}-" "$scratch" "tests/fuzz/corpus/$target" >"$log" 2>&1 ||
    status=$?
  grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)|ERROR|SUMMARY|Test unit written' "$log" || true
  rm -rf "$scratch"
  [ "$status" -eq 0 ] || { tail -40 "$log"; echo "fuzz target $target failed (status $status)"; exit 1; }
done
echo "fuzz: ${#targets[@]} passed, 0 failed"
