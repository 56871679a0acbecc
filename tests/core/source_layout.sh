#!/bin/bash
# SPDX-License-Identifier: MIT
# The sources as the design lays them out: the core includes only the core and the standard
# library (no Qt header, no file outside core/); what differs between platforms stands in its
# platform pieces (*_posix.cpp, *_win.cpp), so no other file holds an #if, beyond the guard
# that keeps moc from the models' headers.
# Usage: source_layout.sh SOURCE_DIR
set -euo pipefail
cd "$1/src"
status=0
bad=$(grep -rnE '^\s*#\s*include' core | grep -vE '#\s*include\s*("core/[^"]+"|<[a-z_0-9/.]+>)' || true)
if [ -n "$bad" ]; then
  printf 'includes the core may not have:\n%s\n' "$bad"
  status=1
fi
bad=$(grep -rnE '^\s*#\s*(if|ifdef|ifndef|elif)\b' --include='*.cpp' --include='*.h' . |
      grep -vE '^[^:]*_(posix|win)\.cpp:|#\s*ifndef Q_MOC_RUN$' || true)
if [ -n "$bad" ]; then
  printf 'an #if outside the platform pieces:\n%s\n' "$bad"
  status=1
fi
exit $status
