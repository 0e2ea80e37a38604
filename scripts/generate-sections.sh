#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes ROWS generated sections, as an Italian spreadsheet writes them:
# beams and columns in kgf and cm, from pure bending to near the capacity.
#   generate-sections.sh ROWS > sections.csv
set -euo pipefail
awk -v rows="$1" 'BEGIN {
  srand(20261207); print "nome;b;h;c;As;As'"'"';fsd;fcd;Nd"
  for (i = 1; i <= rows; i++) {
    b = 20 + int(rand() * 80); h = 30 + int(rand() * 90); c = 2 + int(rand() * 40) / 10
    As = 2 + int(rand() * 300) / 10; As1 = 1 + int(rand() * 200) / 10; fcd = 80 + int(rand() * 90)
    Nd = int((rand() * 1.1 - 0.1) * b * h * fcd * 0.8)
    printf "S%d;%d;%d;%s;%s;%s;3304;%d;%d\n", i, b, h, c, As, As1, fcd, Nd
  }
}' | sed 's/\([0-9]\)\.\([0-9]\)/\1,\2/g'
