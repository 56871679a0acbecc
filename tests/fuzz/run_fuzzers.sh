#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# run_fuzzers.sh BUILD_DIR SECONDS [SEED]: configures BUILD_DIR with clang, libFuzzer, ASan
# and UBSan, builds the fuzz targets and runs each for SECONDS from the corpus in the
# repository. A fixed seed per target makes a run repeat the last one; SEED=0 lets libFuzzer
# pick one (for longer exploratory runs). New inputs go to a scratch folder; a failing input
# is kept in BUILD_DIR/artifacts and named with the command that replays it.
set -euo pipefail
dir=$1 seconds=$2 seed=${3:-}
src=$(cd "$(dirname "$0")/../.." && pwd)
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKZ_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
fi
cmake --build "$dir" --target fuzzers
mkdir -p "$dir/artifacts"
n=0
for target in tax_sheet coefficients cli; do
  n=$((n + 1))
  run_seed=${seed:-$((20261200 + n))}
  scratch=$(mktemp -d)
  dict=()
  [ -f "$src/tests/fuzz/$target.dict" ] && dict=(-dict="$src/tests/fuzz/$target.dict")
  echo "fuzz_$target: ${seconds} s, seed $run_seed"
  if ! "$dir/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -seed="$run_seed" "${dict[@]}" \
      -print_final_stats=1 -artifact_prefix="$dir/artifacts/$target-" \
      "$scratch" "$src/tests/fuzz/corpus/$target" >"$dir/artifacts/$target.log" 2>&1; then
    tail -40 "$dir/artifacts/$target.log"
    saved=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$dir/artifacts/$target.log" | tail -1)
    echo "fuzz_$target failed (seed $run_seed); the input is ${saved:-not saved}."
    [ -n "$saved" ] && echo "Replay it with: $dir/tests/fuzz/fuzz_$target $saved"
    rm -rf "$scratch"
    exit 1
  fi
  grep -E 'stat::number_of_executed_units|cov:' "$dir/artifacts/$target.log" | tail -2
  rm -rf "$scratch"
done
