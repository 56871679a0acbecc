#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the README's pictures (docs/*.png) from the real windows on a virtual display: the
# menu, the tax sheet and the coefficients each opened from a case file, and 二次相続 opened
# from that sheet with F3, as a user would.
#   scripts/pictures.sh [BUILD_DIR]        (default: build)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$here/build}" && pwd)/src/kazenoha
docs=$here/docs
# shellcheck source=scripts/common.sh
source "$here/scripts/common.sh"
[ -x "$bin" ] || { echo "no program at $bin: build it first" >&2; exit 2; }

work=$(mktemp -d)
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "${KZ_XVFB_PID:-}" ] && kill "$KZ_XVFB_PID" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
kz_start_xvfb
# The program's own settings and documents stay out of the user's.
export HOME=$work QT_QPA_PLATFORM=xcb

# The worked example of the sheet: a spouse, three heirs (one a minor), a legatee.
cat >"$work/sheet.kazenoha" <<'CASE'
{"kazenoha": 1, "sheet": {"law": "h20", "amounts": {"spouse": [250000, 20000, 5000, 8000, 2000, 0],
 "heir2": [80000, 0, 0, 0, 0, 5000], "heir3": [40000, 15000, 5000, 0, 0, 0], "legatee": [30000, 0, 0, 0, 0, 0]},
 "heirs": 4, "shares": {"spouse": [1, 2], "heir2": [1, 6], "heir3": [1, 6], "heir4": [1, 6]},
 "minor_years": {"heir2": 0, "heir3": 5, "heir4": 0}}}
CASE
# 1,000,000 円 at 4 % for 10 years.
cat >"$work/coefficients.kazenoha" <<'CASE'
{"kazenoha": 1, "coefficient": [{"calculation": "元利合計", "inputs": {"運用金額": 1000000, "年利率": 4, "年数": 10}}]}
CASE

# window TITLE: the id of the program's shown window of that title (the menu's is a blank),
# once it has shown; the names are compared whole, as xdotool's search misreads Japanese.
window() {
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
      [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  echo "no window titled '$1'" >&2
  return 1
}

# shoot ID FILE: the window as it stands, once it has painted.
shoot() {
  sleep 1
  import -window "$1" "$docs/$2"
  echo "docs/$2: $(identify -format '%wx%h' "$docs/$2")"
}

start() {
  "$bin" "$@" >/dev/null 2>&1 &
  app=$!
}

stop() {
  kill "$app"
  wait "$app" 2>/dev/null || true
  app=
}

start
shoot "$(window ' ')" menu.png
stop

start "$work/sheet.kazenoha"
sheet=$(window '相続税計算シート')
shoot "$sheet" tax_sheet.png
xdotool windowfocus --sync "$sheet"
xdotool key F3
shoot "$(window '二次相続シミュレーション')" second_inheritance.png
stop

start "$work/coefficients.kazenoha"
shoot "$(window '基本係数')" coefficients.png
stop
