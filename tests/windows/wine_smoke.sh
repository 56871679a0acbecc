# SPDX-License-Identifier: MIT
# Sourced by windows_test.sh once the real program has started in wine's desktop: works it by
# the keyboard as a user would, saves screenshots in $shots, and checks the sheet's answers
# in the PDF it saves through the program's file dialog.
# shellcheck shell=bash
keys() { xdotool key --delay 40 "$@"; }
typed() { xdotool type --delay 40 "$1"; }
shot() { sleep "${2:-2}"; import -window root "$shots/$1.png"; }

# The menu maps at the desktop's top left, 相続税計算 holding the focus.
window_shows '^ $' || fail "the menu did not open"
shot menu 3

# The worked example typed into the tax sheet, then "納付税額計算".
keys Return
sleep 4
for person in "250000 20000 5000 8000 2000 0" "80000 0 0 0 0 5000" "40000 15000 5000 0 0 0" "0 0 0 0 0 0" \
              "30000 0 0 0 0 0"; do
  for amount in $person; do
    [ "$amount" = 0 ] || typed "$amount"
    keys Return
  done
done
keys BackSpace 4 Return 1 Return 2 Return
for _ in 1 2 3; do keys 1 Return 6 Return; done
keys Return Return
for years in 0 5 0; do keys BackSpace "$years" Return; done
keys Return
shot tax_sheet

# Saved as PDF (Ctrl+S): the client's name left empty, then the file dialog; read back here.
pdf="$work/sheet.pdf"
keys ctrl+s
sleep 2
keys Return
sleep 3
keys ctrl+a
typed "$(winepath -w "$pdf")"
keys Return
for _ in $(seq 20); do [ -s "$pdf" ] && break; sleep 1; done
sleep 1
if [ -s "$pdf" ] && command -v pdftotext >/dev/null; then
  pdftotext -layout "$pdf" "$shots/tax_sheet.txt"
  grep -Eq '各人の納付税額 +8,525 +15,500 +9,000 +0 +6,510' "$shots/tax_sheet.txt" ||
    fail "the sheet's PDF does not hold the worked example's taxes (see $shots/tax_sheet.txt)"
else
  fail "the sheet was not saved as PDF"
fi

# 二次相続 (F3) from the sheet, then the coefficient window from the menu (its second button).
keys F3
shot second_inheritance 4
xdotool mousemove 56 91 click 1
sleep 3
typed 1000000; keys Return; typed 4; keys Return; typed 10; keys Return
sleep 0.5
keys Return
shot coefficients
