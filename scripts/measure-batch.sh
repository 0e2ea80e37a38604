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

# Beams and columns in kgf and cm, from pure bending to near the capacity.
awk -v rows="$rows" 'BEGIN {
  srand(20261207); print "nome;b;h;c;As;As'"'"';fsd;fcd;Nd"
  for (i = 1; i <= rows; i++) {
    b = 20 + int(rand() * 80); h = 30 + int(rand() * 90); c = 2 + int(rand() * 40) / 10
    As = 2 + int(rand() * 300) / 10; As1 = 1 + int(rand() * 200) / 10; fcd = 80 + int(rand() * 90)
    Nd = int((rand() * 1.1 - 0.1) * b * h * fcd * 0.8)
    printf "S%d;%d;%d;%s;%s;%s;3304;%d;%d\n", i, b, h, c, As, As1, fcd, Nd
  }
}' | sed 's/\([0-9]\)\.\([0-9]\)/\1,\2/g' >"$work/sections.csv"
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
