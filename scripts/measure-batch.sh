#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times `momento-ultimo-cli lotto` on a generated file of varied sections
# (ROWS=n, one million by default), against the same rows' solver runs alone.
set -euo pipefail
cd "$(dirname "$0")/.."

rows=${ROWS:-1000000}
cli=build/release/app/momento-ultimo-cli
cmake --build --preset release --target momento-ultimo-cli calculation_benchmark >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

scripts/generate-sections.sh "$rows" >"$work/sections.csv"
echo "$(wc -l <"$work/sections.csv") lines, $(du -h "$work/sections.csv" | cut -f1)"

start=$(date +%s%N)
/usr/bin/time -f "lotto: %e s, %M KiB peak" "$cli" lotto "$work/sections.csv" -o "$work/results.csv" || true
elapsed=$(($(date +%s%N) - start))
echo "refused: $(grep -vc ';ok\r\?$' "$work/results.csv") of $(wc -l <"$work/results.csv") lines"
build/release/tests/benchmarks/calculation_benchmark --benchmark_filter='BM_CalcMu|BM_CalculateCommand' \
  --benchmark_min_time=0.2 2>/dev/null | grep BM_ | tee "$work/bench.txt"
# One row of lotto against one solve, both measured in this run.
awk -v elapsed="$elapsed" -v rows="$rows" '/^BM_CalcMu/ { sum += $4; n++ }
  END { row = elapsed / rows; solve = sum / n
        printf "per row %.0f ns, one solve %.0f ns (mean of BM_CalcMu): %.1f solves per row\n", row, solve, row / solve }' \
  "$work/bench.txt"
