#!/usr/bin/env bash
# Lists the C++ files that the repository's .clang-format would change, and
# fails when there are any. Run from anywhere; `clang-format -i FILE` fixes one.
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=${CLANG_FORMAT:-clang-format}
bad=()
while IFS= read -r -d '' f; do
  if ! "$clang_format" --dry-run --Werror "$f" >/dev/null 2>&1; then bad+=("$f"); fi
done < <(find editor platform launcher tests bench -name '*.cpp' -print0 -o -name '*.h' -print0 2>/dev/null)
if [ ${#bad[@]} -ne 0 ]; then
  echo "Not formatted by .clang-format (${#bad[@]} files):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "All C++ files are formatted."
