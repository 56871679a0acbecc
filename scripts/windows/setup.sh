#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Provides what the Windows build needs: the mingw-w64 cross tools, wine and NSIS from
# Debian, and Qt 6.4.2 for 64-bit Windows in a cache outside the clone. The cache is the
# folder KZ_WIN_QT (default /var/cache/kazenoha-qt as root, else ~/.cache/kazenoha-qt); it is
# filled, in this order, from a tarball named by KZ_WIN_QT_TARBALL whose sha256 matches,
# or by building Qt's qtbase from Debian's qt6-base source package (about 30 min on two
# idle cores). Prints the Qt folder on its last line.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/qt.env"

packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 nsis zip imagemagick librsvg2-bin
  qt6-base-dev-tools qt6-translations-l10n fonts-ipafont-gothic xvfb xdotool cmake ninja-build)
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  # The installer's stub is 32-bit: running it under wine needs wine32 from i386.
  dpkg --print-foreign-architectures | grep -qx i386 || "${sudo[@]}" dpkg --add-architecture i386
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

qt=$(kz_win_qt_dir)
stamp="$qt/.kazenoha-qt-$KZ_WIN_QT_SHA256"
if [ -f "$stamp" ]; then
  echo "$qt"
  exit 0
fi
rm -rf "$qt"
mkdir -p "$(dirname "$qt")"
# A ready build beside the clone (the machine's shared folder), unless one is named.
tarball=${KZ_WIN_QT_TARBALL:-}
if [ -z "$tarball" ]; then
  for t in "$here/../../../shared/windows" /work/shared/windows; do
    [ -f "$t/qt-$KZ_WIN_QT_VERSION-mingw.tar.xz" ] && { tarball="$t/qt-$KZ_WIN_QT_VERSION-mingw.tar.xz"; break; }
  done
fi
if [ -n "$tarball" ] && [ -f "$tarball" ] &&
   echo "$KZ_WIN_QT_SHA256  $tarball" | sha256sum -c --quiet - 2>/dev/null; then
  echo "Unpacking Qt for Windows from $tarball" >&2
  tmp=$(mktemp -d "$(dirname "$qt")/unpack.XXXXXX")
  tar -xJf "$tarball" -C "$tmp"
  mv "$tmp/qt-$KZ_WIN_QT_VERSION-mingw" "$qt"
  rmdir "$tmp"
else
  [ -z "$tarball" ] || echo "$tarball does not match its checksum: building Qt" >&2
  "$here/build-qt.sh" "$qt" >&2
fi
touch "$stamp"
echo "$qt"
