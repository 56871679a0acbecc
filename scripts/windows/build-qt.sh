#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Qt's qtbase for 64-bit Windows from Debian's qt6-base source package into PREFIX:
#   scripts/windows/build-qt.sh PREFIX
# The source comes through apt with a private sources list and state folder (the system's
# own lists stay as they are); qt-6.4.2-mingw-no-direct2d.patch lets Print Support link
# without Direct2D; qt-configure.sh holds the options. About 50 min of processor time:
# 25-30 min on two idle cores. Set KZ_WIN_QT_FETCH_ONLY=1 to stop after the source is there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/qt.env"
prefix=$1
work=${KZ_WIN_QT_WORK:-$(dirname "$prefix")/qt-build}
mkdir -p "$work/apt/lists/partial" "$work/apt/archives/partial"
cd "$work"

# deb-src for the release this machine runs.
. /etc/os-release
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $VERSION_CODENAME main" \
  >"$work/apt/sources.list"
apt=(-o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts=- \
  -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache::Archives="$work/apt/archives" -o APT::Sandbox::User=root)
apt-get "${apt[@]}" update -qq
src=$(find . -maxdepth 1 -type d -name "qt6-base-$KZ_WIN_QT_VERSION*" | head -1)
if [ -z "$src" ]; then
  apt-get "${apt[@]}" source -qq --only-source qt6-base
  src=$(find . -maxdepth 1 -type d -name "qt6-base-$KZ_WIN_QT_VERSION*" | head -1)
  [ -n "$src" ] || { echo "no qt6-base $KZ_WIN_QT_VERSION source here" >&2; exit 1; }
  patch -d "$src" -p1 <"$here/qt-$KZ_WIN_QT_VERSION-mingw-no-direct2d.patch"
fi
echo "Qt source: $work/$src"
[ "${KZ_WIN_QT_FETCH_ONLY:-0}" = 1 ] && exit 0

start=$SECONDS
"$here/qt-configure.sh" "$work/$src" "$work/build" "$prefix"
cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build"
echo "Qt for Windows built in $(((SECONDS - start) / 60)) min: $(du -sh "$prefix" | cut -f1)"
rm -rf "$work/build"
