# SPDX-License-Identifier: GPL-3.0-or-later
# What the command line's tests share, sourced: their own folder, removed at
# the end, the C locale, and expect.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Every check runs in this run's own folder: nothing read from or left in the one it was started in.
cd "$work" || exit 1
export LC_ALL=C.UTF-8
failures=0
expect() {  # what, actual, expected
  if [[ "$2" == "$3" ]]; then echo "ok: $1"; else
    echo "FAIL: $1"; diff <(printf '%s\n' "$3") <(printf '%s\n' "$2") | head -20; failures=$((failures + 1)); fi
}
