#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The built Debian package: lintian finds no error or warning, it holds every file the
# desktop needs, and the program unpacked from it starts from its installed path.
#   package_test.sh CHANGES_FILE
set -uo pipefail
changes=$1
here=$(cd "$(dirname "$0")" && pwd)
deb=${changes%.changes}.deb
fail() { echo "FAIL: $*"; exit 1; }

lintian --fail-on error,warning --display-info "$changes" 2>&1 | grep -v 'running with root privileges'
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
for f in bin/kazenoha share/applications/kazenoha.desktop share/metainfo/io.github.kazenoha.Kazenoha.metainfo.xml \
         share/icons/hicolor/scalable/apps/kazenoha.svg share/man/man1/kazenoha.1.gz share/man/ja/man1/kazenoha.1.gz \
         share/doc/kazenoha/copyright share/mime/packages/kazenoha.xml \
         share/icons/hicolor/scalable/mimetypes/application-x-kazenoha.svg; do
  [ -s "$root/usr/$f" ] || fail "the package has no /usr/$f"
done
for size in 16 24 32 48 64 128 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/kazenoha.png
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "$png is not ${size}x${size}"
done
# The metainfo as installed, beside the desktop entry its launchable names.
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
echo "package contents: ok"

"$here/program_test.sh" "$root/usr/bin/kazenoha" "$root/usr/share/applications/kazenoha.desktop" "$here/../.." || fail "installed program"
"$here/../shell/smoke_test.sh" "$root/usr/bin/kazenoha" || fail "installed program's smoke test"
echo "PASS"
