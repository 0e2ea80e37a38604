#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program on a virtual display with a window manager, types
# the worked example, clicks "Calcola >>" and saves a screenshot.
#   scripts/screenshot.sh [output.png] [scale factor, a whole number]
set -euo pipefail
cd "$(dirname "$0")/.."

output=${1:-docs/form1.png}
scale=${2:-1}
program=${PROGRAM:-build/release/app/momento-ultimo}
[[ -x "$program" ]] || { echo "Build first: $program is missing" >&2; exit 1; }

if [[ -z "${INNER_DISPLAY:-}" ]]; then
  INNER_DISPLAY=1 exec xvfb-run -a -s "-screen 0 $((520 * scale))x$((340 * scale))x24" "$0" "$@"
fi

source tests/end_to_end/form1_driver.sh
form1_places build/release/tests/end_to_end/form1_places
openbox >/dev/null 2>&1 &
sleep 1
form1_start "$program" "$scale"
trap form1_stop EXIT
xdotool windowmove --sync "$FORM1_WINDOW" $((40 * scale)) $((40 * scale))
sleep 0.3
form1_locate

form1_type txt_B 30
form1_type txt_H 50
form1_type txt_As 10
form1_type txt_As1 5
form1_click_calc
xdotool mousemove $((5 * scale)) $((5 * scale))  # keep the pointer off the window
sleep 0.3
import -window root "$output"
echo "Saved $output"
