#!/usr/bin/env bash
# Refuses C++ sources that differ from .clang-format, listing them; exit status 1 then.
# Usage: tools/check_format.sh [checkout]   (clang-format -i FILE puts a file right)
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
if ! command -v clang-format >/dev/null; then
  echo "clang-format is not installed (scripts/setup.sh installs it)" >&2
  exit 1
fi
bad=0
while IFS= read -r f; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || { echo "not formatted: $f"; bad=1; }
done < <(git ls-files '*.cpp' '*.h' 2>/dev/null ||
         find src tests bench tools -name '*.cpp' -o -name '*.h' | sort)
exit $bad
