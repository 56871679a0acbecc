#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The program as a desktop starts it: --help and --version answer without a display, an
# unknown option is one line of error, --compute answers the README's example as the README
# shows it with its three exit statuses and stops at the first answer it cannot deliver, and
# on a display the menu's window carries the class that the desktop entry names and a window
# icon of small sizes only.
#   program_test.sh KAZENOHA DESKTOP_ENTRY SOURCE_DIR
set -uo pipefail
bin=$1
entry=$2
src=$3
fail() { echo "FAIL: $*"; exit 1; }

out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin" --version) || fail "--version exits with $?"
[ "$out" = "kazenoha 1.0.0" ] || fail "--version prints '$out'"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin" -style fusion -platform=xcb --version) || fail "--version after Qt's options exits with $?"
[ "$out" = "kazenoha 1.0.0" ] || fail "--version after Qt's options prints '$out'"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin" --help) || fail "--help exits with $?"
grep -q '^Usage: .*kazenoha \[options\]' <<<"$out" || fail "--help prints '$out'"
# Qt's own options (-style fusion) are taken out before ours are read.
# One case file opens in its window; a second file is an error.
for args in "--bogus" "-v --bogus" "-style fusion --bogus" "case.kazenoha extra"; do
  # shellcheck disable=SC2086
  err=$(QT_QPA_PLATFORM=offscreen "$bin" $args 2>&1 >/dev/null | grep -v '^QStandardPaths:')
  rc=${PIPESTATUS[0]}
  [ "$rc" -eq 1 ] || fail "'$args' exits with $rc"
  [ "$(wc -l <<<"$err")" -eq 1 ] && grep -Eq "^kazenoha: .*'(bogus|extra)'" <<<"$err" || fail "'$args' reports '$err'"
done
echo "command line: ok"

# Batch work needs no display: each answer of the example is in the README as printed.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=)
out=$("${nodisplay[@]}" "$bin" --compute "$src/docs/compute-example.jsonl") || fail "--compute on the example exits with $?"
[ "$(wc -l <<<"$out")" -eq "$(wc -l <"$src/docs/compute-example.jsonl")" ] || fail "--compute answers '$out'"
while IFS= read -r line; do
  grep -Fxq -- "$line" "$src/README.md" || fail "the README does not show the answer '$line'"
done <<<"$out"
out=$(printf '{"coefficient":{"calculation":"x"}}\n' | "${nodisplay[@]}" "$bin" --compute -)
rc=$?
[ "$rc" -eq 1 ] && grep -q '"error":"coefficient.calculation: ' <<<"$out" || fail "a bad line exits with $rc: '$out'"
for args in "--compute $src/no-such-file" "--compute $src" "--compute" "--compute - extra"; do
  # shellcheck disable=SC2086
  err=$("${nodisplay[@]}" "$bin" $args 2>&1 >/dev/null </dev/null)
  rc=$?
  [ "$rc" -eq 2 ] && grep -q '^kazenoha: ' <<<"$err" || fail "'$args' exits with $rc: '$err'"
done
# An answer that cannot be delivered ends even an endless run: a full device, a closed pipe.
errfile=$(mktemp)
yes '{}' | timeout 60 "${nodisplay[@]}" "$bin" --compute - >/dev/full 2>"$errfile"
rc=${PIPESTATUS[1]}
err=$(cat "$errfile"); rm -f "$errfile"
[ "$rc" -eq 2 ] && [ "$(wc -l <<<"$err")" -eq 1 ] && grep -q '^kazenoha: cannot write' <<<"$err" || fail "on a full device: $rc '$err'"
rc=$( { { yes '{}' | timeout 60 "${nodisplay[@]}" "$bin" --compute - 2>/dev/null; echo "${PIPESTATUS[1]}" >&3; } | head -c 1 >/dev/null; } 3>&1)
[ "$rc" = 2 ] || fail "into a closed pipe: exit status '$rc'"
echo "--compute: ok"

for tool in Xvfb xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
. "$(dirname "$0")/../../scripts/common.sh"
kz_start_program "$bin"
wid=$KZ_WID
[ -n "$wid" ] || fail "the menu did not map"

class=$(xprop -id "$wid" WM_CLASS | sed -n 's/.*= "[^"]*", "\(.*\)"$/\1/p')
wmclass=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$class" ] && [ "$class" = "$wmclass" ] || fail "window class '$class', desktop entry '$wmclass'"
# Every size is copied into each window's property: large ones belong to the theme icon.
sizes=$(xprop -len 100000000 -id "$wid" _NET_WM_ICON | sed -n 's/.*Icon (\([0-9]*\) x \([0-9]*\)).*/\1x\2/p' | tr '\n' ' ')
echo "window class: $class, window icon sizes: $sizes"
[ -n "$sizes" ] || fail "the window has no icon"
for s in $sizes; do
  [ "${s%x*}" -le 48 ] && [ "${s#*x}" -le 48 ] || fail "window icon of $s"
done
echo "PASS"
