# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real window as a person would, with xdotool on an X display.

# Source it, then: form1_places TOOL (the form1_places program, which prints
# the layout's controls); form1_start PROGRAM [SCALE]; form1_type FIELD TEXT;
# form1_click_calc; form1_read FIELD; form1_stop.

# Each control's place, in twips from the client area's corner, as the layout gives it.
declare -gA FORM1_PLACES=()
form1_places() {
  local name place
  while read -r name place; do FORM1_PLACES[$name]=$place; done < <("$1")
  [[ -n "${FORM1_PLACES[cmd_Calc]:-}" ]] || { echo "no layout from $1" >&2; return 1; }
}
FORM1_CAPTION="Momento Ultimo Sezione Rettangolare"

form1_start() {
  local program=$1
  FORM1_SCALE=${2:-1}
  QT_SCALE_FACTOR=$FORM1_SCALE "$program" >/dev/null 2>&1 &
  FORM1_PID=$!
  FORM1_WINDOW=""
  for _ in $(seq 100); do
    FORM1_WINDOW=$(xdotool search --onlyvisible --name "$FORM1_CAPTION" 2>/dev/null | head -1 || true)
    [[ -n "$FORM1_WINDOW" ]] && break
    sleep 0.1
  done
  [[ -n "$FORM1_WINDOW" ]] || { echo "the window did not appear" >&2; return 1; }
  sleep 0.3
  form1_locate
}

# Where the client area is now; call again after moving the window.
form1_locate() {
  FORM1_X=$(xwininfo -id "$FORM1_WINDOW" | awk '/Absolute upper-left X/ {print $4}')
  FORM1_Y=$(xwininfo -id "$FORM1_WINDOW" | awk '/Absolute upper-left Y/ {print $4}')
}

# Moves the pointer to the middle of a control and clicks it.
form1_click() {
  local left top width height
  read -r left top width height <<<"${FORM1_PLACES[$1]}"
  xdotool mousemove --sync $((FORM1_X + (left + width / 2) * FORM1_SCALE / 15)) \
                           $((FORM1_Y + (top + height / 2) * FORM1_SCALE / 15)) click 1
}

form1_type() {
  form1_click "$1"
  xdotool key ctrl+a BackSpace
  xdotool type --delay 15 "$2"
}

form1_click_calc() {
  form1_click cmd_Calc
  sleep 0.3
}

# A field's text, selected and copied through the clipboard; waits until
# the copy has replaced a marker, so a slow machine reads no stale text.
form1_read() {
  local marker="(not copied)" text
  printf '%s' "$marker" | xclip -i -selection clipboard
  form1_click "$1"
  xdotool key ctrl+a ctrl+c
  for _ in $(seq 50); do
    text=$(xclip -o -selection clipboard 2>/dev/null || true)
    [[ "$text" != "$marker" ]] && break
    sleep 0.1
  done
  printf '%s\n' "$text"
}

form1_stop() {
  kill "$FORM1_PID" 2>/dev/null || true
  wait "$FORM1_PID" 2>/dev/null || true
}
