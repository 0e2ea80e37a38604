#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the tests and the screenshots need.
# Quick and silent when everything is already there.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev fonts-liberation help2man
  xvfb xauth xdotool imagemagick openbox xclip x11-utils
  clang libclang-rt-14-dev
  dpkg-dev desktop-file-utils appstream lintian
  emscripten nodejs chromium firefox-esr
  poppler-utils qpdf
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [[ "$status" == installed ]] || missing+=("$package")
done
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  as_root=(sudo)
fi
install() {
  echo "Installing: $*"
  if [[ ${#as_root[@]} -gt 0 ]] && ! command -v sudo >/dev/null; then
    echo "Need root or sudo to install $*" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "$@"
}

[[ ${#missing[@]} -eq 0 ]] || install "${missing[@]}"
# Debian's nodejs comes without npm; some builds of Node.js carry their own,
# which Debian's npm package conflicts with.
command -v npm >/dev/null || install npm
