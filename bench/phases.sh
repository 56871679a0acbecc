#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Counts the instructions of a later opening of the tax sheet, the coefficient window and the
# help window under callgrind on a virtual display, and prints each window's total and its
# phases (inclusive counts of the functions that mark them). Usage: bench/phases.sh [OUTDIR]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
out=${1:-build/phases}
mkdir -p "$out"
rm -f "$out"/callgrind.out.*
kz_start_xvfb
trap 'kill $KZ_XVFB_PID 2>/dev/null || true' EXIT
QT_QPA_PLATFORM=xcb valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out/callgrind.out.%p" \
  build/bench/kz_phases 2>"$out/valgrind.log"
phase() { # file, label, function pattern: the largest inclusive count of a matching function
  callgrind_annotate --inclusive=yes --threshold=100 "$1" 2>/dev/null \
    | awk -v pat="$3" -v label="$2" '$0 ~ pat { gsub(",", "", $1); if ($1 + 0 > best) best = $1 + 0 }
        END { printf "  %-34s %8.1f M\n", label, best / 1e6 }'
}
for f in "$out"/callgrind.out.*.[0-9]*; do
  [ -s "$f" ] || continue
  name=$(sed -n 's/^desc: Trigger: Client Request: //p' "$f")
  [ -n "$name" ] || continue
  total=$(sed -n 's/^totals: //p' "$f")
  awk -v n="$name" -v t="$total" 'BEGIN { printf "%s: %.1f M instructions\n", n, t / 1e6 }'
  phase "$f" "construction (factory)" 'WindowFactory|::Formkeisu\(|::FormSouzoku\(|::FormSZkaisetu\('
  phase "$f" "  placement and caption fitting" 'kz::ui::placeOnScreen'
  phase "$f" "  fonts set on controls" 'QWidget::setFont\('
  phase "$f" "show (polish, layout, native window)" 'QWidget::setVisible\('
  phase "$f" "polish (wherever it happens)" 'QWidget::ensurePolished\('
  phase "$f" "paint and flush" 'QWidgetRepaintManager::sync\(|QWidgetRepaintManager::paintAndFlush'
done
