#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the program into a scratch prefix, starts the installed binary on
# a virtual display, types the worked example, clicks "Calcola >>" and reads
# the results back through the clipboard.   e2e_test.sh BUILD_DIR
set -euo pipefail
build_dir=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
skip=77

for tool in xvfb-run xdotool xclip xwininfo xprop openbox; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit $skip; }
done

if [[ -z "${E2E_ON_DISPLAY:-}" ]]; then
  prefix=$(mktemp -d)
  trap 'rm -rf "$prefix"' EXIT
  cmake --install "$build_dir" --prefix "$prefix" >/dev/null
  E2E_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 640x480x24" "$0" "$prefix/bin/momento-ultimo" \
    "$build_dir/tests/end_to_end/form1_places"
  exit
fi

program=$1
source "$here/form1_driver.sh"
form1_places "$2"
openbox >/dev/null 2>&1 &
sleep 0.5
form1_start "$program"
trap form1_stop EXIT
failures=0
expect() {  # what, actual, expected
  if [[ "$2" == "$3" ]]; then echo "ok: $1 = $2"; else echo "FAIL: $1 is '$2', expected '$3'"; failures=$((failures + 1)); fi
}

expect "caption" "$(xprop -id "$FORM1_WINDOW" _NET_WM_NAME | sed 's/.*= "\(.*\)"/\1/')" "$FORM1_CAPTION"
expect "client size" "$(xwininfo -id "$FORM1_WINDOW" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')" "423x261"
expect "fixed size" "$(xprop -id "$FORM1_WINDOW" WM_NORMAL_HINTS | grep -c -E 'program specified (minimum|maximum) size: 423 by 261')" "2"

form1_type txt_B 30
form1_type txt_H 50
form1_type txt_As 10
form1_type txt_As1 5
form1_click_calc
expect "effective depth" "$(form1_read txt_D)" "46.5"
expect "Mu" "$(form1_read txt_Mu)" "1426430"
expect "Yc" "$(form1_read txt_Yc)" "7.928331"

form1_type txt_Nd 165000
form1_click_calc
expect "Mu at the capacity" "$(form1_read txt_Mu)" "699021"
expect "Yc at the capacity" "$(form1_read txt_Yc)" "53.5583"

# The units note: the button shows it in blue across the top strip, a click
# on its blank right part hides it again.
blue_in_top_strip() { import -window "$FORM1_WINDOW" -crop 423x33+0+0 -depth 8 txt:- | grep -cE '#[0-7].[0-7].[C-F].' || true; }
form1_click Cmd_UM
sleep 0.3
expect "note shown" "$(( $(blue_in_top_strip) > 100 ))" "1"
xdotool mousemove --sync $((FORM1_X + 400)) $((FORM1_Y + 20)) click 1
sleep 0.3
expect "note hidden" "$(blue_in_top_strip)" "0"

exit $((failures > 0))
