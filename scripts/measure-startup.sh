#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up to the first painted window and peak memory, median of 5 runs
# under Xvfb (RUNS=n for more), for the program's window and for a bare Qt window built alike.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z "${INNER_DISPLAY:-}" ]]; then
  cmake --build --preset release --target startup_probe bare_window_probe bare_window_text_probe >/dev/null
  INNER_DISPLAY=1 exec xvfb-run -a -s "-screen 0 640x400x24" "$0" "$@"
fi

report_file=$(mktemp)
trap 'rm -f "$report_file"' EXIT

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

measure() {
  local program=$1 times=() memory=()
  "$program" 2>/dev/null  # warm the caches once
  for _ in $(seq "${RUNS:-5}"); do
    local report
    local start=$EPOCHREALTIME
    /usr/bin/time -v -o "$report_file" "$program" >/dev/null 2>&1
    local end=$EPOCHREALTIME
    report=$(<"$report_file")
    times+=("$(awk -v s="$start" -v e="$end" 'BEGIN {printf "%.1f", (e - s) * 1000}')")
    memory+=("$(awk -F': ' '/Maximum resident set size/ {print $2}' <<<"$report")")
  done
  printf '%-20s start-up %4s ms   peak memory %6s KiB\n' "$(basename "$program")" \
    "$(printf '%s\n' "${times[@]}" | median)" "$(printf '%s\n' "${memory[@]}" | median)"
}

measure build/release/tests/benchmarks/bare_window_probe
measure build/release/tests/benchmarks/bare_window_text_probe
measure build/release/tests/benchmarks/startup_probe
