#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# bench.sh PROGRAM BARE XBENCH [kz_xbench options]: runs the outside timer on a virtual
# display of its own. Exits 77 (skipped) where Xvfb is missing.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "Xvfb missing: skipped"; exit 77; }
program=$1 bare=$2 xbench=$3
shift 3
. "$(dirname "$0")/../scripts/common.sh"
kz_start_xvfb
trap 'kill $KZ_XVFB_PID 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
export QT_QPA_PLATFORM=xcb
"$xbench" "$program" "$bare" "$@"
