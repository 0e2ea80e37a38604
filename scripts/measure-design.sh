#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# progetto with ten combinations: from the command's start to its output,
# and in the page from the click to the proposals shown; medians of 7 runs.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset release --target momento-ultimo-cli design_benchmark >/dev/null
cmake --build --preset web >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
  echo "combinazione;Nd;Md"
  for i in 0 1 2 3 4 5 6 7 8 9; do
    echo "SLU $((i + 1));$((i * 15000));$(( (i % 2 ? -1 : 1) * (900000 + i * 100000) ))"
  done
} >"$work/combinazioni.csv"
design=(progetto -b 30 -h 50 -c 3.5 --calcestruzzo C25/30 --acciaio B450C --simmetrica --unita kg,cm
        --verifica "$work/combinazioni.csv")
times=()
for _ in 1 2 3 4 5 6 7; do
  start=$(date +%s%N)
  build/release/app/momento-ultimo-cli "${design[@]}" >"$work/out.txt"
  times+=($(( ($(date +%s%N) - start) / 1000 )))
done
median() { printf '%s\n' "$@" | sort -n | sed -n 4p; }
echo "command line, start to output: median $(median "${times[@]}") µs"
build/release/tests/benchmarks/design_benchmark --benchmark_filter=TenCombinations 2>/dev/null | grep median
NODE_PATH= node scripts/page/measure_design.mjs "$PWD/build/web/momento-ultimo.html" "$work/combinazioni.csv"
