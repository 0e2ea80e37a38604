#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the 32 x 32 calculator icon into the hicolor sizes the desktop
# asks for; pixel art, so larger sizes repeat pixels instead of blurring.
set -euo pipefail
cd "$(dirname "$0")/.."

source_icon=main_window/resources/calculator.xpm
for size in 16 22 24 32 48 64 128 256; do
  target=app/share/icons/hicolor/${size}x${size}/apps/it.momentoultimo.MomentoUltimo.png
  mkdir -p "$(dirname "$target")"
  if (( size >= 32 )); then filter=(-filter point); else filter=(-filter box); fi
  convert "$source_icon" "${filter[@]}" -resize "${size}x${size}" -strip "PNG32:$target"
done
