#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Reads the real program as a screen reader does (AT-SPI on a virtual X display) and works
# the tax window with the keyboard alone. Skips (77) only where a tool is missing.
set -euo pipefail
bin=$1
here=$(dirname "$0")
for tool in Xvfb xdotool dbus-run-session dbus-send; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core missing"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi missing"; exit 77; }

. "$here/../../scripts/common.sh"
kz_start_xvfb
trap 'kill $KZ_XVFB_PID 2>/dev/null || true' EXIT
# The script starts the program itself inside the session, so that both share one bus.
# The bus daemons' chatter about their start is left out of the log.
dbus-run-session -- /usr/bin/python3 "$here/screen_reader_check.py" "$bin" \
  2> >(grep -v 'fd limit\|Activating service\|Successfully activated\|SpiRegistry daemon' >&2)
