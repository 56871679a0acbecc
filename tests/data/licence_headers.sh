#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every source file names its licence in its first five lines (a #! line may come first):
#   licence_headers.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 2
missing=()
while IFS= read -r -d '' file; do
  head -n 5 "$file" | grep -q 'SPDX-License-Identifier: MIT' || missing+=("$file")
done < <({ find src tests bench data scripts -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' \
             -o -name CMakeLists.txt -o -name '*.sh' -o -name '*.py' \) -print0
           printf '%s\0' CMakeLists.txt run test .ci/run; } | sort -z)
[ ${#missing[@]} -eq 0 ] && { echo "PASS"; exit 0; }
echo "Without 'SPDX-License-Identifier: MIT' in their first five lines:"
printf '%s\n' "${missing[@]}"
exit 1
