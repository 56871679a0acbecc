#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Prints a window through a real CUPS queue that writes PDF files, and checks that the
# page is not blank, holds the window's text as text, and lies as the window asks: the
# wide window turned onto the portrait sheet, except the coefficient window, which prints
# as the printer is set. With --tax-window or --coefficient-window the probe prints that
# window through its own print icon. With a third argument "rejecting" the queue rejects
# jobs, and the window must say that it could not print.
# Exits 77 (skipped) where CUPS cannot start here.
set -uo pipefail
probe=$1
mode=${2:-}
queue_state=${3:-}
skip() { echo "SKIPPED: $*"; exit 77; }
for tool in cupsd lpadmin lpstat cupsreject pdftoppm pdftotext; do
  command -v "$tool" >/dev/null || [ -x "/usr/sbin/$tool" ] || skip "$tool is not installed"
done
[ -e /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf backend is not installed"
[ "$(id -u)" -eq 0 ] || skip "setting up a print queue needs root"

# The user's printer settings (~/.cups: lpoptions, client.conf) and the server's default stay
# as they were: the queue is the default for the probe only, and at the end, also after a
# failure or an interrupt, ~/.cups is compared with a copy taken now, put back should
# anything have changed it, and the test fails.
cups_home="${HOME:-/root}/.cups"
saved=$(mktemp -d)
[ -e "$cups_home" ] && cp -a "$cups_home" "$saved/home"
server_default=$(lpstat -d 2>/dev/null)
# cups-pdf writes into the job owner's home as the password file has it.
owner_home=$(getent passwd "$(id -un)" | cut -d: -f6)
outdir="${owner_home:-/root}/PDF"
[ -d "$outdir" ] && made_outdir= || made_outdir=yes
started= queue= pdf=
restore() {
  local status=$? changed=
  [ -n "$queue" ] && lpadmin -x KazenohaPDF 2>/dev/null
  [ -n "$pdf" ] && rm -f "$pdf"
  [ -n "${probe_home:-}" ] && rm -rf "$probe_home"
  [ -n "$made_outdir" ] && rmdir "$outdir" 2>/dev/null
  if [ -e "$saved/home" ]; then
    diff -r "$saved/home" "$cups_home" >/dev/null 2>&1 || changed=yes
  elif [ -e "$cups_home" ]; then
    changed=yes
  fi
  if [ -n "$changed" ]; then
    echo "FAIL: the test changed $cups_home; put back as it was"
    rm -rf "$cups_home"
    [ -e "$saved/home" ] && cp -a "$saved/home" "$cups_home"
    status=1
  fi
  if [ "$(lpstat -d 2>/dev/null)" != "$server_default" ]; then
    echo "FAIL: the server's default printer changed"
    status=1
  fi
  [ -n "$started" ] && kill "$started" 2>/dev/null
  rm -rf "$saved"
  exit "$status"
}
trap restore EXIT
trap 'exit 130' INT TERM HUP

if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  mkdir -p /run/cups
  /usr/sbin/cupsd -f &
  started=$!
  for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
  lpstat -r 2>/dev/null | grep -q 'is running' || skip "cupsd does not start here"
  server_default=$(lpstat -d 2>/dev/null)
fi

ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null || echo lsb/usr/cups-pdf/CUPS-PDF_opt.ppd)
queue=yes
lpadmin -p KazenohaPDF -E -v cups-pdf:/ -m "$ppd" 2>/dev/null || lpadmin -p KazenohaPDF -E -v cups-pdf:/ -P "$ppd" || skip "cannot add a PDF queue"
# Debian converts a PDF job for this queue through Ghostscript by default, which keeps
# glyphs but loses what they read as; the cairo converter keeps the text readable.
lpadmin -p KazenohaPDF -o pdftops-renderer-default=pdftocairo
# The probe reads no user settings (HOME is a folder of its own), and its default printer
# is the queue.
probe_home=$(mktemp -d)
run_probe() { HOME=$probe_home LPDEST=KazenohaPDF QT_QPA_PLATFORM=offscreen "$probe" "$@"; }

mkdir -p "$outdir"
marker=$(mktemp)
if [ "$queue_state" = rejecting ]; then
  cupsreject KazenohaPDF
  run_probe "$mode" && { echo "FAIL: a rejected job was reported as printed"; exit 1; }
  echo "PASS"
  exit 0
fi
turned=yes
case "$mode" in
  --tax-window) heading="相続税額計算シート" ;;
  --coefficient-window) heading="現在の額から将来の額を求めるときに使用します" turned=no ;;
  *) heading="相続税計算シート" ;;
esac
if [ -n "$mode" ]; then
  # The window names the job after its own title; any PDF newer than the marker is ours.
  pattern="*.pdf"
  run_probe "$mode" || { echo "FAIL: printing reported failure"; exit 1; }
else
  doc="kazenoha-probe-$$"
  pattern="*$doc*.pdf"
  run_probe "$doc" || { echo "FAIL: printing reported failure"; exit 1; }
fi
pdf=
for _ in $(seq 150); do
  pdf=$(find "$outdir" -maxdepth 1 -name "$pattern" -newer "$marker" 2>/dev/null | head -1)
  [ -n "$pdf" ] && [ -s "$pdf" ] && break
  sleep 0.2
done
rm -f "$marker"
[ -n "$pdf" ] || { echo "FAIL: no PDF appeared in $outdir"; ls -la "$outdir" 2>/dev/null; exit 1; }
sleep 0.5
png=$(mktemp -d)/page
pdftoppm -r 30 -png -singlefile "$pdf" "$png" || { echo "FAIL: pdftoppm"; exit 1; }
# Ink: the share of pixels darker than paper. The window's content, cropped to its ink,
# is taller than wide where the landscape window lies turned on the portrait page.
ink=$(convert "$png.png" -colorspace Gray -threshold 95% -format '%[fx:(1-mean)*100]' info: 2>/dev/null || echo 0)
read -r inkw inkh < <(convert "$png.png" -trim -format '%w %h' info: 2>/dev/null || echo "0 0")
echo "PDF: $pdf, ink share: $ink%, content ${inkw}x${inkh}"
# The page is drawn, not a picture of the screen: its text can be read back. Blanks are
# dropped, since a drawn line of spaced characters may come back with blanks of its own.
text=$(pdftotext -q "$pdf" - | tr -d ' \t\n' | sed 's/　//g')
[ -n "${KZ_KEEP_PDF:-}" ] && cp "$pdf" "$KZ_KEEP_PDF"
rm -f "$pdf"
awk -v d="$ink" 'BEGIN { exit !(d > 5) }' || { echo "FAIL: the printed page is blank"; exit 1; }
case "$text" in
  *"$heading"*) ;;
  *) echo "FAIL: the page holds no text \"$heading\"; its text: ${text:0:200}"; exit 1 ;;
esac
if [ "$turned" = yes ]; then
  [ "${inkh:-0}" -gt "${inkw:-0}" ] || { echo "FAIL: the window is not printed in landscape"; exit 1; }
else
  [ "${inkw:-0}" -gt "${inkh:-0}" ] || { echo "FAIL: the window is turned though the printer is not"; exit 1; }
fi
echo "PASS"
