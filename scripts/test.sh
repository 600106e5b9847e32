#!/usr/bin/env bash
# Sets everything up and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
# The fuzz targets compile the core a second time, with clang and sanitizers: built after the
# program rather than beside it, so the two builds do not share the cores.
cmake -S "$here" -B "$here/build" -DVELDRASSA_FUZZ=ON >/dev/null
cmake --build "$here/build" --target fuzz_targets -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$here/build"
ctest --output-on-failure -j "$(nproc)"
