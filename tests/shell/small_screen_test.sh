#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a window test (its binary and test function as arguments) on a real X display smaller
# than the window: 1024 x 600 unless `--screen WxH` says otherwise, `--scale F` as a display
# scaled to F (125 % is 1.25). Exits 77 (skipped) where Xvfb is missing.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "SKIPPED: Xvfb is not installed"; exit 77; }
. "$(dirname "$0")/../../scripts/common.sh"
screen=1024x600 scale=1
while [[ $# -gt 0 && $1 == --* ]]; do
  case $1 in
    --screen) screen=$2 ;;
    --scale) scale=$2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift 2
done
KZ_XVFB_SCREEN=${screen}x24 kz_start_xvfb
trap 'kill $KZ_XVFB_PID 2>/dev/null || true' EXIT
KZ_SMALL_SCREEN=1 QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb "$@"
