#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the .deb, unpacks it into a clean root and checks what a desktop
# needs: the binary and its libraries, the desktop entry, the icons and the
# metainfo.   package_test.sh BUILD_DIR
set -euo pipefail
build_dir=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # description, command...
  local what=$1
  shift
  if "$@" >"$work/out" 2>&1; then echo "ok: $what"; else echo "FAIL: $what"; cat "$work/out"; failures=$((failures + 1)); fi
}

cpack --config "$build_dir/CPackConfig.cmake" -B "$work/package" >/dev/null
deb=$(ls "$work"/package/momento-ultimo_*_amd64.deb 2>/dev/null || ls "$work"/package/*.deb)
root=$work/root
dpkg-deb -x "$deb" "$root"

id=it.momentoultimo.MomentoUltimo
check "binary installed" test -x "$root/usr/bin/momento-ultimo"
check "command line installed and working" bash -c "'$root/usr/bin/momento-ultimo-cli' --b 30 --h 50 --c 3.5 --fcd 110 --fsd 3304 --As 10 --As1 5 | grep -qx 'Mu = 1426430'"
check "command line draws with Qt Svg" bash -c "dpkg-deb -f '$deb' Depends | grep -q libqt6svg6"
check "command line manual page, its usage lines kept" bash -c "zcat '$root/usr/share/man/man1/momento-ultimo-cli.1.gz' | grep -A4 -x '.nf' | grep -q '^momento\\\\-ultimo\\\\-cli lotto'"
check "exit statuses in the manual page" bash -c "zcat '$root/usr/share/man/man1/momento-ultimo-cli.1.gz' | grep -q 'Stato di uscita'"
check "manual page of the window" bash -c "zcat '$root/usr/share/man/man1/momento-ultimo.1.gz' | grep -q '^.SH DESCRIZIONE'"
"$root/usr/bin/momento-ultimo-cli" relazione --b 30 --h 50 --c 3.5 --fcd 110 --fsd 3304 --As 10 --As1 5 --data 2026-12-07 -o "$work/report.html"
dossier=$(grep -o 'installato in /[^<]*' "$work/report.html" | sed 's/^installato in //')
check "the validation dossier the report names, installed" test -s "$root$dossier"
check "licence in the copyright file" grep -q '^License: GPL-3.0+' "$root/usr/share/doc/momento-ultimo/copyright"
# A package Debian would accept: no error and no warning of lintian's.
check "lintian finds nothing" bash -c "lintian --tag-display-limit 0 '$deb' 2>&1 | grep -E '^[EW]: ' && exit 1 || exit 0"
check "desktop entry installed" test -f "$root/usr/share/applications/$id.desktop"
check "metainfo installed" test -f "$root/usr/share/metainfo/$id.metainfo.xml"
for size in 16 22 24 32 48 64 128 256; do
  check "icon ${size}x${size}" bash -c "identify -format '%wx%h' '$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png' | grep -qx '${size}x${size}'"
done
check "depends on Qt Widgets and the Liberation fonts" bash -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6 && dpkg-deb -f '$deb' Depends | grep -q fonts-liberation"
check "every library found" bash -c "! ldd '$root/usr/bin/momento-ultimo' | grep -q 'not found'"
check "desktop entry is Italian, Science and Engineering" bash -c "grep -qx 'Name=Momento Ultimo Sezione Rettangolare' '$root/usr/share/applications/$id.desktop' && grep -qx 'Categories=Science;Engineering;' '$root/usr/share/applications/$id.desktop'"
if command -v desktop-file-validate >/dev/null; then
  check "desktop entry valid" desktop-file-validate "$root/usr/share/applications/$id.desktop"
fi
if command -v appstreamcli >/dev/null; then
  check "metainfo valid" appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"
fi
check "without a display it says how to start" bash -c "out=\$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '$root/usr/bin/momento-ultimo' 2>&1); [[ \$? -ne 0 && \$out == *xvfb-run* ]]"
check "starts and keeps running" bash -c "QT_QPA_PLATFORM=offscreen '$root/usr/bin/momento-ultimo' & pid=\$!; sleep 1; kill -0 \$pid && kill \$pid"

exit $((failures > 0))
