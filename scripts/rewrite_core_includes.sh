#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Rewrites the includes of the Qt-free headers after they moved under src/core/ (kept for the
# history: `git log` names it in the commit that moved the files).
set -euo pipefail
cd "$(dirname "$0")/.."
moved=$(cd src && find core -name '*.h' | sed 's|^core/||')
args=()
for h in $moved; do
  old=$h
  [ "$h" = second/study_model.h ] && old=second/study_form.h
  args+=(-e "s|#include \"$old\"|#include \"core/$h\"|")
done
git ls-files -- src tests bench | grep -E '\.(cpp|h)$' | xargs sed -i "${args[@]}"
# The tests' own helpers moved with the tests of the models.
git ls-files -- tests | grep -E '\.(cpp|h)$' | xargs sed -i \
  -e 's|#include "coefficients/worked_examples.h"|#include "core/coefficients/worked_examples.h"|' \
  -e 's|#include "second/worked_cases.h"|#include "core/second/worked_cases.h"|' \
  -e 's|#include "tax_sheet/sheet_helpers.h"|#include "core/tax_sheet/sheet_helpers.h"|'
