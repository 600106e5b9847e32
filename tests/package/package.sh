#!/usr/bin/env bash
# The Debian package made from this build (cpack on it, no second build): its file list, its
# dependencies, lintian, and the installed programs run from a scratch root, which they must
# leave as it was.
# Arguments: the build folder, the version project() gives, this test's folder.
set -uo pipefail
build=$1
version=$2
here=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" > "$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; echo "FAILED: cpack"; exit 1; }
arch=$(dpkg --print-architecture)
package=$scratch/out/veldrassa_${version}_${arch}.deb
[ -f "$package" ] || { ls "$scratch/out"; echo "FAILED: no $(basename "$package")"; exit 1; }

# Exactly the expected files, none more.
dpkg-deb -c "$package" | awk '{print $6}' | sort > "$scratch/files"
if ! diff -u <(sort "$here/expected-files.txt") "$scratch/files"; then
  fail "the package's files differ from expected-files.txt (- expected, + packed)"
fi

# What the libraries need, and what the program loads at run time without linking it.
depends=$(dpkg-deb -f "$package" Depends)
for needed in fonts-noto-cjk qt6-translations-l10n libqt6widgets6 libsqlite3-0 libxlsxwriter4; do
  grep -qE "(^|, )$needed( |,|$)" <<< "$depends" || fail "Depends lacks $needed: $depends"
done
[ "$(dpkg-deb -f "$package" Version)" = "$version" ] || fail "package version is not $version"

# No error and no warning; the rest is shown for the record.
lintian --fail-on error,warning --display-info "$package" > "$scratch/lintian" 2>&1
status=$?
grep -v '^running with root' "$scratch/lintian"
[ $status = 0 ] || fail "lintian found errors or warnings"

# Installed into a scratch root: the programs run from there, on a home folder of their own.
root=$scratch/root
dpkg -x "$package" "$root"
find "$root" -exec stat -c '%n %s %Y %a' {} + | sort > "$scratch/before"
home=$scratch/home
mkdir -p "$home"
run() { env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 "$@"; }

[ "$(run "$root/usr/bin/veldrassa-cli" --version)" = "veldrassa-cli $version" ] ||
  fail "veldrassa-cli --version: $(run "$root/usr/bin/veldrassa-cli" --version 2>&1)"
# Without a display: the version needs none.
[ "$(run "$root/usr/bin/veldrassa" --version 2>/dev/null)" = "veldrassa $version" ] ||
  fail "veldrassa --version: $(run "$root/usr/bin/veldrassa" --version 2>&1)"

database=$home/.local/share/veldrassa/Database/RCdatabase.db
[ "$(run "$root/usr/bin/veldrassa-cli" init)" = "$database" ] && [ -s "$database" ] ||
  fail "init did not make the database in the default work folder"
# The Access reader is installed where the programs look for it, from their own folder (a path
# kept as UTF-16 text in the program).
reader=$(strings -el "$root/usr/bin/veldrassa-cli" | grep -m1 '^\.\./.*/veldrassa-mdb-reader$')
[ -n "$reader" ] && [ -x "$root/usr/bin/$reader" ] ||
  fail "the programs look for the Access reader at usr/bin/${reader:-?}, which the package lacks"
run "$root/usr/bin/veldrassa-cli" unit set --name 测试建筑工程有限公司 --code 123456789 >/dev/null
imported=$(run "$root/usr/bin/veldrassa-cli" import-history --from "$here/../fixtures/predecessor/good" \
  --option 2 2>&1)
[ "$imported" = "导入完成，共10条月度人员记录。" ] || fail "import-history from an Access database: $imported"
run "$root/usr/bin/veldrassa-cli" help manual > "$scratch/manual.md" &&
  head -1 "$scratch/manual.md" | grep -q '^# 系统使用说明$' ||
  fail "help manual: $(head -c 200 "$scratch/manual.md")"
run "$root/usr/bin/veldrassa-cli" help | grep -q '^messages' || fail "help lists no documents"
man_page=$(run man -l "$root/usr/share/man/zh_CN/man1/veldrassa-cli.1.gz" 2>&1)
grep -q 'veldrassa-cli' <<< "$man_page" || fail "the installed manual page does not open"

find "$root" -exec stat -c '%n %s %Y %a' {} + | sort > "$scratch/after"
diff -u "$scratch/before" "$scratch/after" || fail "the programs changed their installed tree"

[ "$failures" -eq 0 ] && echo "all checks passed" || echo "$failures checks failed"
[ "$failures" -eq 0 ]
