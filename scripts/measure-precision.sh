#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The solver's precision: each point of the resistance domain of a few
# sections against the exact equilibrium at its Nd (a bisection on the
# same N(x) to adjacent singles). A measure, not a test.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --build --preset release --target section_analysis >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -ffp-contract=off -I. scripts/precision/measure_precision.cpp \
  build/release/section_analysis/libsection_analysis.a -o "$work/measure_precision"
"$work/measure_precision"
