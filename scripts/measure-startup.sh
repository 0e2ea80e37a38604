#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up to the first painted window and peak memory, median of 5 paired
# runs under Xvfb (RUNS=n for more), for the program's window and for a bare Qt window built alike.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z "${INNER_DISPLAY:-}" ]]; then
  cmake --build --preset release --target startup_probe bare_window_probe bare_window_text_probe >/dev/null
  INNER_DISPLAY=1 exec xvfb-run -a -s "-screen 0 640x400x24" "$0" "$@"
fi

report_file=$(mktemp)
trap 'rm -f "$report_file"' EXIT

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# One run of a program: its start-up in milliseconds and its peak memory.
run_once() {
  local start=$EPOCHREALTIME
  /usr/bin/time -v -o "$report_file" "$1" >/dev/null 2>&1
  local end=$EPOCHREALTIME
  echo "$(awk -v s="$start" -v e="$end" 'BEGIN {printf "%.1f", (e - s) * 1000}')" \
    "$(awk -F': ' '/Maximum resident set size/ {print $2}' "$report_file")"
}

# Paired runs: each round runs every program once, so a busy moment of the
# machine falls on all of them alike.
programs=(build/release/tests/benchmarks/bare_window_probe build/release/tests/benchmarks/bare_window_text_probe
          build/release/tests/benchmarks/startup_probe)
declare -A times memory
for program in "${programs[@]}"; do "$program" 2>/dev/null; done  # warm the caches once
for _ in $(seq "${RUNS:-5}"); do
  for program in "${programs[@]}"; do
    read -r ms kib < <(run_once "$program")
    times[$program]+="$ms "
    memory[$program]+="$kib "
  done
done
for program in "${programs[@]}"; do
  printf '%-22s start-up %5s ms   peak memory %6s KiB\n' "$(basename "$program")" \
    "$(tr ' ' '\n' <<<"${times[$program]}" | grep . | median)" "$(tr ' ' '\n' <<<"${memory[$program]}" | grep . | median)"
done
