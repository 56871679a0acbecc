#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the real program on a virtual display, checks that the menu maps and that
# "終 了" ends the program with its calculator windows open. Exits 77 (skipped) where
# Xvfb is missing.
set -euo pipefail
bin=$1
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
. "$(dirname "$0")/../../scripts/common.sh"
kz_start_program "$bin"
app=$KZ_APP_PID
wid=$KZ_WID
[ -n "$wid" ] || { echo "menu did not map"; exit 1; }
geom=$(xdotool getwindowgeometry "$wid")
echo "$geom"
grep -q 'Geometry: 115x264' <<<"$geom" || { echo "unexpected menu size"; exit 1; }
title=$(xdotool getwindowname "$wid")
[ -z "${title// /}" ] || { echo "the menu's title bar shows '$title'"; exit 1; }

# Click 相続税計算 and 係数計算, then 終 了 (button centres in pixels).
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; sleep 0.5; }
click 56 28
click 56 68
count=$(xdotool search --onlyvisible --pid "$app" | wc -l)
[ "$count" -ge 3 ] || { echo "calculator windows did not open ($count windows)"; exit 1; }
click 56 236
for _ in $(seq 50); do
  kill -0 "$app" 2>/dev/null || { wait "$app" || true; echo "program ended"; exit 0; }
  sleep 0.1
done
echo "program still running after 終 了"
exit 1
