#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times `momento-ultimo-cli dominio --punti 200 --svg` against the least a
# picture with text costs (an offscreen Qt program painting one line into an
# image), side by side, median of 21 runs each (RUNS=n for more); then the
# domain's computation alone.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --build --preset release --target momento-ultimo-cli paint_probe calculation_benchmark >/dev/null
cli=build/release/app/momento-ultimo-cli
probe=build/release/tests/benchmarks/paint_probe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
milliseconds() {  # command...
  local start=$EPOCHREALTIME
  "$@" >/dev/null 2>&1
  awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN {printf "%.2f\n", (e - s) * 1000}'
}
domain=("$cli" dominio --b 30 --h 50 --c 3.5 --fcd 110 --fsd 3304 --As 10 --As1 5 --punti 200
        --svg "$work/domain.svg" -o "$work/domain.csv")
"${domain[@]}" 2>/dev/null; "$probe" 2>/dev/null  # warm the caches
domain_times=() probe_times=()
for _ in $(seq "${RUNS:-21}"); do
  domain_times+=("$(milliseconds "${domain[@]}")")
  probe_times+=("$(milliseconds "$probe")")
done
d=$(printf '%s\n' "${domain_times[@]}" | median)
p=$(printf '%s\n' "${probe_times[@]}" | median)
echo "dominio --punti 200 --svg: $d ms; one line of text into an image: $p ms; ratio $(awk -v d="$d" -v p="$p" 'BEGIN {printf "%.2f", d / p}')"
build/release/tests/benchmarks/calculation_benchmark --benchmark_filter=ResistanceDomain 2>/dev/null | grep BM_
