#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a window test (its binary and test function as arguments) on a real X display of
# 1024 x 600, smaller than the tax window. Exits 77 (skipped) where Xvfb is missing.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "SKIPPED: Xvfb is not installed"; exit 77; }
. "$(dirname "$0")/../../scripts/common.sh"
KZ_XVFB_SCREEN=1024x600x24 kz_start_xvfb
trap 'kill $KZ_XVFB_PID 2>/dev/null || true' EXIT
KZ_SMALL_SCREEN=1 QT_QPA_PLATFORM=xcb "$@"
