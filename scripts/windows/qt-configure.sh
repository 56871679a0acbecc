#!/bin/sh
# SPDX-License-Identifier: MIT
# The configure options with which Qt 6.4.2 (Debian's qt6-base 6.4.2+dfsg source package) was
# cross-built for 64-bit Windows on this kind of machine: Core, Gui, Widgets, PrintSupport, Test,
# shared, with the host's own Qt tools (qt6-base-dev-tools) for moc, rcc and uic.
#   usage: qt-configure.sh SOURCE_DIR BUILD_DIR INSTALL_PREFIX
# then:   cmake --build BUILD_DIR --parallel 2 && cmake --install BUILD_DIR
set -eu
src=$1 build=$2 prefix=$3
here=$(cd "$(dirname "$0")" && pwd)
cmake -S "$src" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_pkg_config=OFF \
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF \
  -DFEATURE_concurrent=OFF \
  -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF \
  -DFEATURE_tabletevent=OFF \
  -DFEATURE_androiddeployqt=OFF \
  -DFEATURE_zstd=OFF -DFEATURE_icu=OFF \
  -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_textmarkdownreader=OFF \
  -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_printsupport=ON -DFEATURE_testlib=ON
