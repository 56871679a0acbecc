#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# no_files_test.sh PROGRAM: a scripted session of the real program under strace (every
# window opened, a sheet and a coefficient calculated, printing answered with No, the save
# dialog cancelled, then answered with a name) must create, write, rename or delete no file
# but the one saved, and open no network socket. Skipped (77) where Xvfb, xdotool or strace
# is missing.
set -euo pipefail
bin=$1
for tool in Xvfb xdotool strace; do
  command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
. "$(dirname "$0")/../../scripts/common.sh"
work=$(mktemp -d)
app=
KZ_XVFB_PID=
trap 'kill ${app:-} ${KZ_XVFB_PID:-} 2>/dev/null || true; rm -rf "$work"' EXIT
log=$work/trace
export QT_QPA_PLATFORM=xcb
# LeakSanitizer stops the program's threads with ptrace at its exit, which strace holds.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

# Starts a display and the program under strace; sets prog and menu (empty if no menu).
start_session() {
  kz_start_xvfb
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
  strace -f -qq -o "$log" \
    -e trace=%file,socket,connect,bind,truncate,ftruncate -e signal=none "$bin" &
  app=$!
  prog=
  for _ in $(seq 100); do prog=$(pgrep -P "$app" | head -1 || true); [ -n "$prog" ] && break; sleep 0.1; done
  menu=
  for _ in $(seq 600); do
    menu=$(xdotool search --onlyvisible --pid "$prog" 2>/dev/null | head -1 || true)
    [ -n "$menu" ] && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
  done
}

win() { # win TITLE: the program's shown window with exactly this title
  local w
  for _ in $(seq 100); do
    for w in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
      [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && { echo "$w"; return; }
    done
    sleep 0.1
  done
  echo "no window '$1'" >&2
  return 1
}
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.5; }
keys() { xdotool windowfocus --sync "$1"; sleep 0.3; shift; xdotool "$@"; sleep 0.3; }

start_session
if [ -z "$menu" ]; then
  # Now and then on a loaded machine the program loses its new display before the menu
  # maps ("The X11 connection broke"); a second session on a fresh display tells that
  # apart from a program that never shows its menu.
  echo "the menu did not show; once more on a fresh display"
  kill "$app" "$KZ_XVFB_PID" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  start_session
fi
[ -n "$menu" ] || { echo "the menu did not show"; exit 1; }
sleep 1
click "$menu" 56 28                                   # 相続税計算
tax=$(win 相続税計算シート)
keys "$tax" type --delay 20 '50000'
keys "$tax" key Tab
keys "$tax" key Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
keys "$tax" type --delay 20 '2'
keys "$tax" key Tab                                   # the spouse's share 1/2: a result that stands,
keys "$tax" type --delay 20 '1'                       # or there is no report to save
keys "$tax" key Tab
keys "$tax" type --delay 20 '2'
click "$tax" 800 544                                  # 納付税額計算
click "$tax" 80 136                                   # シートHELP
win 相続税の用語と解説 >/dev/null
click "$menu" 56 68                                   # 係数計算
coef=$(win 基本係数)
keys "$coef" type --delay 20 '1000000'
keys "$coef" key Return
keys "$coef" type --delay 20 '3'
keys "$coef" key Return
keys "$coef" type --delay 20 '10'
keys "$coef" key Return Return                        # to 計　算, then press it
click "$menu" 56 148                                  # About
click "$tax" 140 595                                  # the printer icon
box=$(win 印刷)
keys "$box" key Escape                                # いいえ
sleep 0.5
saved=$work/saved
mkdir "$saved"
keys "$tax" key ctrl+s                                # PDFに保存, cancelled at the client's name
keys "$(win お客様名)" key Escape
sleep 0.5
keys "$tax" key ctrl+s                                # then a client's name, which is kept nowhere,
keys "$(win お客様名)" type --delay 20 "Yamada"
keys "$(win お客様名)" key Return
dialog=$(win PDFに保存)                               # and a file name typed without its suffix
keys "$dialog" key ctrl+a
keys "$dialog" type --delay 20 "$saved/report"
keys "$dialog" key Return
for _ in $(seq 50); do [ -s "$saved/report.pdf" ] && break; sleep 0.1; done
click "$menu" 56 236                                  # 終 了
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
wait "$app" || true
app=

[ -s "$saved/report.pdf" ] || { echo "the report was not saved: $(ls -A "$saved")"; exit 1; }
# Allowed, by name: fontconfig's cache, Qt's runtime folder and the folder saved into.
allowed="^(${HOME}/.cache/fontconfig/|/var/cache/fontconfig/|${XDG_RUNTIME_DIR}(/|$)|${saved}(/|$))"
calls='^[0-9]+ +'
bad=$( (grep -E "${calls}open(at2?)?\(.*O_(WRONLY|RDWR|CREAT|TRUNC)" "$log"
        grep -E "${calls}(creat|rename(at2?)?|unlink(at)?|rmdir|mkdir(at)?|(sym)?link(at)?|mknod(at)?|truncate)\(" "$log") \
  | grep -v ' = -1 ' | grep -vE '"(/dev/null|/dev/tty)"' || true)
bad=$(while IFS= read -r line; do
  [ -n "$line" ] || continue
  path=$(sed -n 's/^.*"\([^"]*\)".*/\1/p' <<<"$line") # the last: a link's or a rename's target
  if [[ "$path" =~ $allowed ]]; then echo "allowed: $line" >&2; else echo "$line"; fi
done <<<"$bad")
net=$(grep -E 'socket\(AF_INET6?|connect\(.*sa_family=AF_INET6?' "$log" || true)
echo "$(grep -c . "$log") calls traced"
[ -z "$bad$net" ] && { echo "no file written, no network socket"; exit 0; }
echo "written or changed:"; echo "$bad"; echo "$net"
exit 1
