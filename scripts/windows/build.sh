#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Kazenoha for 64-bit Windows, from a Debian 12 machine:
#   scripts/windows/build.sh [BUILD_DIR]          (default build-win)
# installs the cross tools and provides Qt (setup.sh), cross-builds the program and its
# tests, and leaves in BUILD_DIR/dist/ the installer kazenoha-VERSION-setup.exe and the
# portable kazenoha-VERSION-win64.zip, both made of the files in BUILD_DIR/stage/.
set -euo pipefail
cd "$(dirname "$0")/../.."
. scripts/common.sh
build=${1:-build-win}
qt=$(scripts/windows/setup.sh | tail -1)

if [ ! -f "$build/build.ninja" ]; then
  # The Qt folder is searched as a root too: the toolchain keeps package searches in roots.
  cmake -S . -B "$build" -G Ninja -DKZ_WERROR=ON -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/scripts/windows/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_FIND_ROOT_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
fi
cmake --build "$build"

version=$(sed -n 's/^project(kazenoha VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage="$build/stage/kazenoha-$version"
rm -rf "$build/stage" "$build/dist"
mkdir -p "$build/dist"
cmake --install "$build" --prefix "$stage" --strip >/dev/null
# The libraries come as built, with their symbols.
find "$stage" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
dist=$(cd "$build/dist" && pwd)
# The zip holds two programs; a short text at its top says which one to start. Only the zip
# has it: the installer makes a shortcut to the right one.
# An ASCII name: Explorer reads a zip's names in the local code page unless flagged UTF-8.
readme="$stage/README.txt"
{ printf '\xef\xbb\xbf'; printf '%s\r\n' \
  "相続税・係数計算 $version" "" \
  "kazenoha.exe を起動してください（ダブルクリック）。メニューが開きます。" \
  "kazenoha-cli.exe はコマンドプロンプトから使うバッチ計算用です（kazenoha.txt を参照）。" \
  "ほかのファイルは kazenoha.exe が使うものです。フォルダーごと置いたままにしてください。"; } >"$readme"
(cd "$build/stage" && zip -qr "$dist/kazenoha-$version-win64.zip" "kazenoha-$version")
rm "$readme"

# Each installed file by name, so that the uninstaller removes those and no other.
files="$build/stage/files.nsh"
abs=$(cd "$stage" && pwd)
{
  echo '!ifndef UNINSTALL'
  (cd "$stage" && find . -type f | sort) | while read -r f; do
    d=$(dirname "${f#./}")
    [ "$d" = . ] && d= || d="\\${d//\//\\}"
    echo "SetOutPath \"\$INSTDIR$d\""
    echo "File \"$abs/${f#./}\""
  done
  echo '!else'
  (cd "$stage" && find . -type f | sort) | while read -r f; do
    echo "Delete \"\$INSTDIR\\$(echo "${f#./}" | tr / '\\')\""
  done
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r d; do
    echo "RMDir \"\$INSTDIR\\$(echo "${d#./}" | tr / '\\')\""
  done
  echo '!endif'
} >"$files"
makensis -V2 -DVERSION="$version" -DSTAGE="$abs" -DFILES="$PWD/$files" -DLICENSE="$PWD/LICENSE" \
  -DICON="$PWD/$build/kazenoha.ico" -DOUTFILE="$dist/kazenoha-$version-setup.exe" \
  data/windows/installer.nsi >/dev/null
ls -l "$dist"
