# SPDX-License-Identifier: MIT
# Shared by ./run and ./test: install what is missing, then configure and build.
# shellcheck shell=bash

KZ_PACKAGES=(
  cmake ninja-build g++ clang pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n librsvg2-bin libqpdf-dev zlib1g-dev
  libgtest-dev libbenchmark-dev
  fonts-ipafont-gothic
  xvfb xdotool x11-utils imagemagick
  cups printer-driver-cups-pdf poppler-utils libcups2-dev
  dbus at-spi2-core python3-pyatspi
  desktop-file-utils appstream man-db
  dpkg-dev debhelper lintian
  # Outside timer (bench/), fuzzing (clang's libFuzzer) and the no-files check.
  libx11-dev libxdamage-dev libxtst-dev
  clang-14 libclang-rt-14-dev
  strace procps
)

kz_install_missing() {
  local missing=()
  for p in "${KZ_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Qt wants a private runtime folder; without one it warns on every start.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="/tmp/runtime-$(id -u)"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi

# A compiler cache, where the machine has one, makes rebuilds in several checkouts cheap.
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi

# kz_build DIR [cmake options...]: configure once, then rebuild only what changed.
# Our own builds treat warnings as errors; a folder configured before that option existed
# is configured again.
kz_build() {
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ] || ! grep -q '^KZ_WERROR:BOOL=ON' "$dir/CMakeCache.txt"; then
    cmake -S . -B "$dir" -G Ninja -DKZ_WERROR=ON "$@" >/dev/null
  fi
  cmake --build "$dir"
}

# Starts Xvfb on a free display and exports DISPLAY; the PID is in KZ_XVFB_PID. The screen
# is KZ_XVFB_SCREEN (default 1920x1080x24).
kz_start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${KZ_XVFB_SCREEN:-1920x1080x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  KZ_XVFB_PID=$!
  local num
  read -r num <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$num"
}

# kz_start_program BIN: starts Xvfb and BIN on it, both stopped when the shell exits, and
# waits up to 20 s for the program's first shown window. Sets KZ_APP_PID and KZ_WID (empty
# where no window showed).
kz_start_program() {
  kz_start_xvfb
  KZ_APP_PID=
  trap 'kill ${KZ_APP_PID:-} $KZ_XVFB_PID 2>/dev/null || true' EXIT
  "$1" &
  KZ_APP_PID=$!
  KZ_WID=$(timeout 20 xdotool search --sync --onlyvisible --pid "$KZ_APP_PID" | head -1 || true)
}
