#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from a copy of the source tree in build-deb/, so that
# dpkg-buildpackage, which writes into the parent folder, leaves the tree as it was.
# Prints the path of the .deb. Extra arguments go to dpkg-buildpackage.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(dpkg-parsechangelog -S Version)
out=build-deb
src="$out/kazenoha-${version%-*}"
rm -rf "$out"
mkdir -p "$src"
# Tracked files and new ones not ignored: what a commit of this tree would hold.
git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$src" 2>/dev/null ||
  tar --exclude-vcs --exclude='./build*' --exclude=./shots -cf - . | tar -xf - -C "$src"
(cd "$src" && dpkg-buildpackage -b -us -uc "$@" >../dpkg-buildpackage.log 2>&1) ||
  { tail -40 "$out/dpkg-buildpackage.log"; echo "dpkg-buildpackage failed: $out/dpkg-buildpackage.log" >&2; exit 1; }
ls "$PWD/$out/kazenoha_${version}_$(dpkg --print-architecture).deb"
