#!/usr/bin/env bash
# Sets everything up and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
cd "$here/build"
ctest --output-on-failure -j "$(nproc)"
