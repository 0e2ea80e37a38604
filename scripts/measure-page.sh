#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The page's size and speed in headless Chromium, against a minimal
# single-file page built with the same flags and against the command line
# on the same file of sections (ROWS=n, 100000 by default).
set -euo pipefail
cd "$(dirname "$0")/.."

rows=${ROWS:-100000}
cmake --build --preset web >/dev/null
cmake --build --preset release --target momento-ultimo-cli >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
NODE_PATH=/usr/share/nodejs emcc -O3 scripts/page/minimal.c -o "$work/minimal.html" -sSINGLE_FILE=1 -sMINIFY_HTML=0 \
  -sENVIRONMENT=web --shell-file scripts/page/minimal.html
echo "page: $(stat -c %s build/web/momento-ultimo.html) bytes; minimal page: $(stat -c %s "$work/minimal.html") bytes"

scripts/generate-sections.sh "$rows" >"$work/sections.csv"
echo "lotto on $rows sections"
node scripts/page/measure_page.mjs "$PWD/build/web/momento-ultimo.html" "$work/minimal.html" "$work/sections.csv" \
  "$PWD/build/release/app/momento-ultimo-cli" "$work"
