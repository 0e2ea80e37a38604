#!/usr/bin/env bash
# Start-up of the window until it is mapped on the screen, and peak memory,
# median of 5 runs under Xvfb (RUNS=n for more).
set -euo pipefail
cd "$(dirname "$0")/.."

program=${PROGRAM:-build/release/app/momento-ultimo}
if [[ -z "${INNER_DISPLAY:-}" ]]; then
  cmake --build --preset release --target momento-ultimo >/dev/null
  INNER_DISPLAY=1 exec xvfb-run -a -s "-screen 0 640x400x24" "$0" "$@"
fi

report=$(mktemp)
trap 'rm -f "$report"' EXIT
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
times=() memory=()
for run in $(seq 0 "${RUNS:-5}"); do  # run 0 only warms the caches
  start=$EPOCHREALTIME
  /usr/bin/time -v -o "$report" "$program" >/dev/null 2>&1 &
  until xdotool search --onlyvisible --name "Momento Ultimo Sezione Rettangolare" >/dev/null 2>&1; do :; done
  end=$EPOCHREALTIME
  sleep 0.3
  pkill -x "$(basename "$program")"
  wait
  ((run == 0)) && continue
  times+=("$(awk -v s="$start" -v e="$end" 'BEGIN {printf "%.1f", (e - s) * 1000}')")
  memory+=("$(awk -F': ' '/Maximum resident set size/ {print $2}' "$report")")
done
printf 'start-up to the mapped window %s ms, peak memory %s KiB\n' \
  "$(printf '%s\n' "${times[@]}" | median)" "$(printf '%s\n' "${memory[@]}" | median)"
