#!/usr/bin/env bash
# Starts the real program on a virtual display with a window manager, types
# the worked example, clicks "Calcola >>" and saves a screenshot.
#   scripts/screenshot.sh [output.png] [scale factor]
set -euo pipefail
cd "$(dirname "$0")/.."

output=${1:-docs/form1.png}
scale=${2:-1}
program=${PROGRAM:-build/release/app/momento-ultimo}
[[ -x "$program" ]] || { echo "Build first: $program is missing" >&2; exit 1; }

run_on_display() {
  openbox >/dev/null 2>&1 &
  sleep 1
  QT_SCALE_FACTOR="$scale" "$program" &
  local app=$!
  local window=""
  for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --name "Momento Ultimo Sezione Rettangolare" 2>/dev/null | head -1 || true)
    [[ -n "$window" ]] && break
    sleep 0.1
  done
  [[ -n "$window" ]] || { echo "The window did not appear" >&2; kill "$app"; exit 1; }
  xdotool windowmove --sync "$window" 40 40
  sleep 0.5

  # The example section, field by field, at the places the layout gives
  # (twips / 15 x scale, from the client area's corner).
  local x0 y0
  x0=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
  y0=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
  type_into() {  # left top width height (twips) text
    local cx=$(( x0 + ($1 + $3 / 2) * scale / 15 )) cy=$(( y0 + ($2 + $4 / 2) * scale / 15 ))
    xdotool mousemove "$cx" "$cy" click 1
    xdotool key ctrl+a BackSpace type --delay 20 "$5"
  }
  type_into $((120 + 120)) $((720 + 1200)) 612 288 "30"      # txt_B
  type_into $((120 + 720)) $((720 + 600)) 612 288 "50"       # txt_H
  type_into $((3840 + 1200)) $((2160 + 600)) 1092 288 "10"   # txt_As
  type_into $((3840 + 1200)) $((2160 + 1320)) 1092 288 "5"   # txt_As1
  local cx=$(( x0 + (120 + 666) * scale / 15 )) cy=$(( y0 + (2880 + 150) * scale / 15 ))
  xdotool mousemove "$cx" "$cy" click 1                      # cmd_Calc
  sleep 0.5
  import -window root "$output"
  kill "$app"
}

if [[ -z "${INNER_DISPLAY:-}" ]]; then
  INNER_DISPLAY=1 exec xvfb-run -a -s "-screen 0 $((520 * scale))x$((340 * scale))x24" "$0" "$@"
fi
run_on_display
echo "Saved $output"
