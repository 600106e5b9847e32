#!/usr/bin/env bash
# Remakes the pictures of the manual from a generated year: builds the picture program if needed
# and runs it on a virtual screen. Writes into docs/help/images unless given another folder.
# VELDRASSA_SCREENS names an already built program (the test suite passes its own).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:-$here/docs/help/images}
program=${VELDRASSA_SCREENS:-}
if [ -z "$program" ]; then
  if [ ! -f "$here/build/build.ninja" ]; then
    cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$here/build" -j 2 --target veldrassa-screens
  program=$here/build/tools/screens/veldrassa-screens
fi
mkdir -p "$folder"
# A real X server, not the offscreen platform: menus, fonts and dialogs as a clerk's screen has them.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1000x24" "$program" "$folder"
