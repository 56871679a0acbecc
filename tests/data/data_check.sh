#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks an installable file with the tool a distribution checks it with:
#   data_check.sh desktop|metainfo|man|mime FILE...
# Exits 77 (skipped) where the tool is not installed.
set -uo pipefail
kind=$1; shift
skip() { echo "SKIPPED: $1 is not installed"; exit 77; }
status=0
for file in "$@"; do
  case $kind in
    desktop)
      command -v desktop-file-validate >/dev/null || skip desktop-file-validate
      out=$(desktop-file-validate "$file" 2>&1) ;;
    metainfo)
      command -v appstreamcli >/dev/null || skip appstreamcli
      # Infos and pedantic notes pass; warnings and errors fail.
      out=$(appstreamcli validate --no-net --explain "$file" 2>&1) || status=1 ;;
    man)
      command -v man >/dev/null || skip man
      # As lintian formats a page: any word from groff is a fault.
      out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null) ;;
    mime)
      # The shared MIME database built from the file alone: it must know the suffix.
      command -v update-mime-database >/dev/null || skip update-mime-database
      data=$(mktemp -d); db=$data/mime; mkdir -p "$db/packages"; cp "$file" "$db/packages/"
      out=$(XDG_DATA_HOME=$data update-mime-database "$db" 2>&1)
      grep -q ':application/x-kazenoha:\*\.kazenoha' "$db/globs2" || out="$out no glob *.kazenoha in $(cat "$db/globs2")"
      rm -rf "$data" ;;
    *) echo "unknown kind $kind"; exit 2 ;;
  esac
  if [ "$kind" = metainfo ]; then
    echo "$out"
  elif [ -n "$out" ]; then
    echo "$file:"; echo "$out"; status=1
  fi
done
exit $status
