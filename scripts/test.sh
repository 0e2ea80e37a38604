#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs every test four ways: the
# release build, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, a bounded libFuzzer session, and the core and
# shared rules compiled to WebAssembly, run under Node.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# The page test's one dependency, pinned by its lock file.
npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
for preset in release sanitizers fuzz web; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
