#!/usr/bin/env bash
# Builds the fuzz targets (clang) and runs each for a while (default 300 seconds each).
# New inputs go to build/fuzz/corpus, crashes to build/fuzz/findings; the seed corpus in the
# repository is left as it is.
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$here"/tests/fuzz/*Fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
cmake -S "$here" -B "$here/build" -G Ninja -DVELDRASSA_FUZZ=ON >/dev/null
cmake --build "$here/build" --target fuzz_targets
mkdir -p "$here/build/fuzz/findings"
for target in "${targets[@]}"; do
  binary=$here/build/fuzz/$target
  [ -x "$binary" ] || { echo "$binary is missing: no such fuzz target" >&2; exit 1; }
  corpus=$here/build/fuzz/corpus/$target
  mkdir -p "$corpus"
  echo "== $target, $seconds s"
  "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$here/build/fuzz/findings/$target-" \
    "$corpus" "$here/tests/fuzz/corpus/$target" 2>&1 | tail -n 3
done
