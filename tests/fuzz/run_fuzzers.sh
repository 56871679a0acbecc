#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# run_fuzzers.sh BUILD_DIR SECONDS: configures BUILD_DIR with clang, libFuzzer, ASan and
# UBSan, builds the fuzz targets and runs each for SECONDS from the seed corpus. New
# inputs go to a scratch folder; a failing input is kept in BUILD_DIR/artifacts.
set -euo pipefail
dir=$1 seconds=$2
src=$(cd "$(dirname "$0")/../.." && pwd)
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKZ_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
fi
cmake --build "$dir" --target fuzzers
mkdir -p "$dir/artifacts"
for target in tax_sheet coefficients; do
  scratch=$(mktemp -d)
  echo "fuzz_$target: ${seconds} s"
  if ! "$dir/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$dir/artifacts/$target-" "$scratch" "$src/tests/fuzz/corpus/$target" \
      >"$dir/artifacts/$target.log" 2>&1; then
    tail -40 "$dir/artifacts/$target.log"
    rm -rf "$scratch"
    exit 1
  fi
  grep -E 'stat::number_of_executed_units|cov:' "$dir/artifacts/$target.log" | tail -2
  rm -rf "$scratch"
done
