#!/usr/bin/env bash
# Builds the Debian package veldrassa_{version}_{arch}.deb from a clean release build, with
# Debian's hardening flags, checks it with lintian and leaves it in FOLDER (default: the
# repository's root folder).
#   bash scripts/package.sh [FOLDER]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
folder=$(mkdir -p "${1:-$here}" && cd "${1:-$here}" && pwd)
build=$here/build-package

bash "$here/scripts/setup.sh" --no-build
rm -rf "$build"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
# Only what the package holds: the tests and benchmarks are the test command's business.
cmake --build "$build" -j "$(nproc)" --target veldrassa veldrassa-cli veldrassa_icons veldrassa_gzipped
cpack --config "$build/CPackConfig.cmake" -B "$build/package"
package=$(ls "$build"/package/veldrassa_*.deb)
lintian --fail-on error,warning --display-info "$package"
cp "$package" "$folder/"
echo "$folder/$(basename "$package")"
