#!/usr/bin/env bash
# Sets everything up and starts the program on the default work folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
exec "$here/build/src/gui/veldrassa" "$@"
