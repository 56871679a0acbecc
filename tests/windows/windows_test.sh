#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows build tested under wine on a virtual display:
#   tests/windows/windows_test.sh BUILD_WIN LINUX_KAZENOHA
# BUILD_WIN is scripts/windows/build.sh's folder, LINUX_KAZENOHA the Linux build's program.
# Checks the deploy list against the imports, runs the Qt-free tests and the window tests
# (tests/windows/wine_known_failures.txt names the functions that fail under wine), compares
# --compute's answers byte for byte with the Linux build's, times start-up and memory against
# the bare Qt program (bench/), starts the real program (menu,
# tax sheet by keyboard, 二次相続, screenshots in BUILD_WIN/shots), and installs, starts and
# uninstalls the installer in a scratch wine prefix. Exits 77 (skipped) without wine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
linux_bin=$(realpath "$2")
for tool in wine wineserver Xvfb xdotool x86_64-w64-mingw32-objdump import; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
. "$here/../../scripts/common.sh"
version=$(sed -n 's/^project(kazenoha VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
stage="$build/stage/kazenoha-$version"
bin="$build/bin"
shots="$build/shots"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
# Whether a window whose title matches shows within 30 s.
window_shows() {
  for _ in $(seq 30); do
    xdotool search --name "$1" >/dev/null 2>&1 && return 0
    sleep 1
  done
  return 1
}
# A silent uninstall, waited for: the uninstaller works from a copy of itself that outlives it.
uninstall_from() {
  wine "$1/uninstall.exe" /S >/dev/null 2>&1
  wineserver -w
  sleep 2
  wineserver -w
}

work=$(mktemp -d /tmp/kazenoha-wine.XXXXXX)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
kz_start_xvfb
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$KZ_XVFB_PID" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
start=$SECONDS
wineboot -i >/dev/null 2>&1
wineserver -w
echo "wine prefix made in $((SECONDS - start)) s"
# A wine desktop of its own: there a window is active as soon as shown; on the bare X display
# each window test waited seconds for it (the ui tests 78 s against 4 s).
desktop=(explorer /desktop=kazenoha,1920x1080)

echo "== every library the program imports is shipped or part of Windows"
system="$work/system.txt"
# Windows' own libraries as wine provides them, and the API sets (api-ms-win-*), names that
# Windows' loader maps to its libraries.
ls "$WINEPREFIX/drive_c/windows/system32" | tr '[:upper:]' '[:lower:]' >"$system"
shipped=$(cd "$stage" && find . -name '*.dll' -printf '%f\n' | tr '[:upper:]' '[:lower:]')
imported=""
while IFS= read -r -d '' f; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]'); do
    imported+="$dll"$'\n'
    [[ $dll == api-ms-win-* ]] || grep -qxF "$dll" <<<"$shipped" || grep -qxF "$dll" "$system" ||
      fail "${f#"$stage"/} imports $dll, which is neither shipped nor part of Windows"
  done
done < <(find "$stage" \( -name '*.exe' -o -name '*.dll' \) -print0)
# And nothing is shipped that nothing loads (plugins are loaded by Qt, not imported).
for dll in $(cd "$stage" && find . -maxdepth 1 -name '*.dll' -printf '%f\n' | tr '[:upper:]' '[:lower:]'); do
  grep -qxF "$dll" <<<"$imported" || fail "$dll is shipped but nothing imports it"
done

# (Read whole: grep -q would end objdump early, and pipefail would count that.)
uses_qt_test() { [[ $(x86_64-w64-mingw32-objdump -p "$1") == *"DLL Name: Qt6Test.dll"* ]]; }

echo "== Qt-free tests under wine"
for t in "$bin"/*_test.exe; do
  name=$(basename "$t" .exe)
  uses_qt_test "$t" && continue
  (cd "$bin" && wine "$name.exe" >"$work/$name.log" 2>&1) || { tail -20 "$work/$name.log"; fail "$name"; }
  echo "$name: $(grep -E '^\[  PASSED' "$work/$name.log" || echo '?')"
done

echo "== --compute answers byte for byte as on Linux"
inputs=("$here/../../docs/compute-example.jsonl" "$here"/../fuzz/corpus/cli/*)
# Line ends and bytes a text-mode reader would change: CR LF, a Ctrl-Z, no final newline.
printf '{"id":"crlf","second":{"estate":100000,"children":2,"spouse_share":40000}}\r\n{"id":"\x1a"}\r\n{"id":3}' \
  >"$work/bytes.jsonl"
inputs+=("$work/bytes.jsonl")
for input in "${inputs[@]}"; do
  lin=0 win=0
  "$linux_bin" --compute "$input" >"$work/linux.out" || lin=$?
  (cd "$stage" && wine kazenoha-cli.exe --compute "$(winepath -w "$input")" >"$work/win.out") || win=$?
  cmp -s "$work/linux.out" "$work/win.out" && [ "$lin" = "$win" ] ||
    fail "--compute $(basename "$input"): Windows answers differ (exit $win, Linux $lin)"
  # Standard input too, read as bytes.
  (cd "$stage" && wine kazenoha-cli.exe --compute - <"$input" >"$work/win.out") || true
  cmp -s "$work/linux.out" "$work/win.out" || fail "--compute - <$(basename "$input"): Windows answers differ"
done
echo "${#inputs[@]} inputs compared"

echo "== window tests under wine (Windows platform plugin)"
for t in "$bin"/*_test.exe; do
  name=$(basename "$t" .exe)
  uses_qt_test "$t" || continue
  skips=$(awk -v n="$name" '$1 == n { print $2 }' "$here/wine_known_failures.txt")
  if [ "$skips" = "*" ]; then
    echo "$name: not run under wine (see wine_known_failures.txt)"
    continue
  fi
  result="$work/$name.txt"
  rm -f "$result"
  # The report test waits out its file and print dialogs under wine: about 5 minutes.
  (cd "$bin" && QT_QPA_PLATFORM=windows timeout 600 wine "${desktop[@]}" "$name.exe" \
    -o "$(winepath -w "$result"),txt" >/dev/null 2>&1) || true
  totals=$(grep -a '^Totals' "$result" 2>/dev/null || echo "no result")
  # Failures count unless wine_known_failures.txt names their function.
  unexpected=$(grep -a '^FAIL!' "$result" 2>/dev/null | sed 's/^FAIL!  : [A-Za-z]*::\([A-Za-z0-9_]*\).*/\1/' |
    grep -vxF -f <(printf '%s\n' "$skips") || true)
  known=$(grep -ac '^FAIL!' "$result" 2>/dev/null || true)
  [ "${known:-0}" -eq 0 ] && echo "$name: $totals" || echo "$name: $totals (listed in wine_known_failures.txt)"
  grep -a '^FAIL!' "$result" 2>/dev/null | sed 's/^FAIL!  : [A-Za-z]*::\([A-Za-z0-9_]*\).*/  failed: \1/' | sort -u || true
  if [ "$totals" = "no result" ] || [ -n "$unexpected" ]; then
    grep -a -A3 '^FAIL' "$result" || true
    fail "$name"
  fi
done
wineserver -w

echo "== start-up and memory under wine, against the bare Qt program built the same way"
# The outside timer of bench/ starts each through wine on this display, without wine's
# desktop window, with the wine server already up; a figure fails at twice its target.
xbench="$(dirname "$linux_bin")/../bench/kz_xbench"
if [ -x "$xbench" ] && [ -f "$bin/kz_bare_window.exe" ]; then
  for exe in kazenoha kz_bare_window; do
    printf '#!/bin/sh\nexec wine %q "$@"\n' "$bin/$exe.exe" >"$work/$exe"
    chmod +x "$work/$exe"
  done
  wineserver -p
  "$xbench" "$work/kazenoha" "$work/kz_bare_window" --rounds 0 --mem-rounds "${KZ_WINE_BENCH_ROUNDS:-3}" \
    --openings 0 --check || fail "start-up or memory under wine more than twice its target"
  wineserver -k || true
  wineserver -w
else
  echo "kz_xbench or kz_bare_window.exe not built: not measured"
fi

echo "== the real program under wine"
mkdir -p "$shots"
# Whatever a test left there: the program itself must write nothing to the registry.
wine reg delete 'HKCU\Software\QtProject' /f >/dev/null 2>&1 || true
wine "${desktop[@]}" "$stage/kazenoha.exe" >/dev/null 2>&1 &
program=$!
. "$here/wine_smoke.sh"
wineserver -k || true
wait "$program" 2>/dev/null || true
# The smoke saved through the file dialog, which keeps its folders in Qt's settings.
! wine reg query 'HKCU\Software\QtProject' >/dev/null 2>&1 ||
  fail "the file dialog left its state in the registry (HKCU\Software\QtProject)"

echo "== the installer, silently, for the current user"
setup="$build/dist/kazenoha-$version-setup.exe"
before="$work/before.txt"
list_prefix() { (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path ./users/*/Temp -prune -o -print | sort); }
list_prefix >"$before"
wine "$setup" /S >/dev/null 2>&1
wineserver -w
installed=$(find "$WINEPREFIX/drive_c/users" -path '*Programs/Kazenoha/kazenoha.exe' | head -1)
[ -n "$installed" ] || fail "the installer put no kazenoha.exe under the user's Programs folder"
lnk=$(find "$WINEPREFIX/drive_c/users" -name '相続税・係数計算.lnk' | head -1)
[ -n "$lnk" ] || fail "no Start-menu shortcut 相続税・係数計算"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kazenoha' /v DisplayVersion 2>/dev/null |
  grep -q "$version" || fail "no uninstall entry for the current user"
# The case file's type, for the user: double-clicking a .kazenoha opens it in the program.
wine reg query 'HKCU\Software\Classes\.kazenoha' /ve 2>/dev/null | grep -q 'Kazenoha.Case' ||
  fail ".kazenoha is not registered for the current user"
wine reg query 'HKCU\Software\Classes\Kazenoha.Case\shell\open\command' /ve 2>/dev/null |
  grep -q 'kazenoha.exe" "%1"' || fail "the case file's open command is not the program's"
if [ -n "$installed" ]; then
  dir=$(dirname "$installed")
  cmp -s <(cd "$dir" && find . -type f ! -name uninstall.exe | sort) <(cd "$stage" && find . -type f | sort) ||
    fail "the installed files are not the staged ones"
  # The installed program starts and answers.
  out=$(cd "$dir" && wine kazenoha-cli.exe --compute "$(winepath -w "$here/../../docs/compute-example.jsonl")")
  cmp -s <(printf '%s\n' "$out") <("$linux_bin" --compute "$here/../../docs/compute-example.jsonl") ||
    fail "the installed kazenoha-cli answers otherwise"
  wine "${desktop[@]}" "$installed" >/dev/null 2>&1 &
  installed_program=$!
  window_shows '^ $' || fail "the installed program shows no menu"
  import -window root "$shots/installed.png"
  # Uninstalling while it runs is refused, and everything stays (run in place, _?=, so
  # that its exit status is its own and not that of a copy it starts).
  refused=0
  wine "$dir/uninstall.exe" /S "_?=$(winepath -w "$dir")" >/dev/null 2>&1 || refused=$?
  [ "$refused" -ne 0 ] && [ -f "$installed" ] &&
    wine reg query 'HKCU\Software\Classes\.kazenoha' >/dev/null 2>&1 ||
    fail "uninstalling while the program runs did not refuse (exit $refused)"
  wineserver -k || true
  wait "$installed_program" 2>/dev/null || true
  uninstall_from "$dir"
fi

echo "== the installer for all users, and a case file opened as a double-click opens it"
# Wine's shell finds file types in HKLM's classes only (Windows merges the user's in too), so
# the open command is followed here through an installation for all users.
wine "$setup" /S /AllUsers >/dev/null 2>&1
wineserver -w
machine_dir="$WINEPREFIX/drive_c/Program Files/Kazenoha"
[ -f "$machine_dir/kazenoha.exe" ] || fail "the installer for all users put no kazenoha.exe under Program Files"
cp "$here/../../docs/case-example.kazenoha" "$work/case.kazenoha"
wine start "$(winepath -w "$work/case.kazenoha")" >/dev/null 2>&1 || fail "the shell did not open the case file"
window_shows '^相続税計算シート$' || fail "the case file opened by the shell showed no sheet"
import -window root "$shots/double_click.png"
wineserver -k || true
uninstall_from "$machine_dir"
! wine reg query 'HKLM\Software\Classes\.kazenoha' >/dev/null 2>&1 ||
  fail "the case file's type is still registered for all users"
list_prefix >"$work/after.txt"
if ! cmp -s "$before" "$work/after.txt"; then
  diff "$before" "$work/after.txt" | head -20 || true
  fail "the uninstaller left files behind, or took some"
fi
! wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kazenoha' >/dev/null 2>&1 ||
  fail "the uninstall entry is still there"
! wine reg query 'HKCU\Software\Classes\.kazenoha' >/dev/null 2>&1 &&
  ! wine reg query 'HKCU\Software\Classes\Kazenoha.Case' >/dev/null 2>&1 ||
  fail "the case file's type is still registered"

echo "== Windows step: $failures failure(s) in $((SECONDS - start)) s"
[ "$failures" -eq 0 ]
