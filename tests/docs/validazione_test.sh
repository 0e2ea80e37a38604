#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The validation dossier against the program: every command it shows gives
# exactly the output shown, and every figure quoted as the program's is in
# the output of its case.   validazione_test.sh CLI SOURCE_DIR
set -uo pipefail
cli=$1
cd "$2" || exit 1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8

# Each case's command, its output as shown, and its "programma" cells.
awk -v work="$work" '
  /^### / { ++n; column = 0 }
  /^```console/ { block = 1; getline; sub(/^\$ /, ""); print > (work "/" n ".cmd"); next }
  /^```/ { block = 0; next }
  block { print > (work "/" n ".expected"); next }
  /^\|/ {
    cells = split($0, cell, "|")
    if (!column) { for (i = 2; i < cells; ++i) if (cell[i] ~ /programma/) column = i; next }
    if (cell[column] ~ /^-+$/) next
    gsub(/^ +| +$/, "", cell[column]); print cell[column] > (work "/" n ".quoted"); next
  }
  /^$/ { column = 0 }' docs/validazione.md

failures=0 cases=0
for command in "$work"/*.cmd; do
  case=${command%.cmd}
  mapfile -d '' words < <(xargs printf '%s\0' <"$command")  # quotes as a shell reads them
  [[ ${words[0]} == momento-ultimo-cli ]] || { echo "FAIL: not a command of the program: ${words[*]}"; ((++failures)); continue; }
  # A file the command writes goes to the work folder; its text joins the figures to look for.
  written=""
  for ((i = 1; i < ${#words[@]}; ++i)); do
    [[ ${words[i - 1]} == -o ]] && written="$work/$(basename "${words[i]}")" && words[i]=$written
  done
  actual=$("$cli" "${words[@]:1}" 2>&1)
  text=$actual
  # The report groups digits with no-break spaces, which a reader sees as blanks.
  [[ -n $written && -f $written ]] && text+=$'\n'$(sed 's/<[^>]*>/ /g; s/\xc2\xa0/ /g' "$written")
  ((++cases))
  if [[ "$actual" == "$(cat "$case.expected" 2>/dev/null)" ]]; then echo "ok: ${words[*]}"; else
    echo "FAIL: ${words[*]}"; diff <(cat "$case.expected") <(printf '%s\n' "$actual"); ((++failures)); fi
  [[ -f "$case.quoted" ]] || continue
  while read -r quoted; do
    grep -qF -- "$quoted" <<<"$text" || { echo "FAIL: quoted as the program's but not given: $quoted"; ((++failures)); }
  done <"$case.quoted"
done
((cases >= 13)) || { echo "FAIL: only $cases cases found"; ((++failures)); }
exit $((failures > 0))
