#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# run_path_test.sh PROGRAM: the program's run path names only absolute folders (or its
# own, $ORIGIN), so no library is taken from the folder it is started from.
set -euo pipefail
command -v readelf >/dev/null || { echo "readelf missing: skipped"; exit 77; }
paths=$(readelf -d "$1" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]$/\2/p')
echo "run path: ${paths:-none}"
[ -z "$paths" ] && exit 0
IFS=: read -r -a entries <<<"$paths"
bad=0
for e in "${entries[@]}"; do
  case "$e" in
    '' | /* | '$ORIGIN' | '$ORIGIN/'*) ;;
    *) echo "searches a relative folder: '$e'"; bad=1 ;;
  esac
done
# An empty entry between colons or at either end is the working folder too.
case ":$paths:" in *::*) echo "empty entry in '$paths'"; bad=1 ;; esac
exit $bad
