#!/usr/bin/env bash
# Installs the Debian packages the program needs (as root), then configures and builds it.
# Every package the build, the tests, the file checks and the Debian package use is named here
# and nowhere else. With --no-build it only installs them.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libsqlite3-dev libsqlitecpp-dev libxlsxwriter-dev libshp-dev libcli11-dev
  libminizip-dev libexpat1-dev libfreexl-dev libgsf-1-dev mdbtools-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk qt6-translations-l10n
  python3-openpyxl python3-dbfread poppler-utils
  xvfb xauth sqlite3
  clang
  librsvg2-bin man-db
  dpkg-dev lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

[ "${1:-}" = --no-build ] && exit 0
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$here/build" -j "$(nproc)"
