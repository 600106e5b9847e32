#!/usr/bin/env bash
# The menu entry and the AppStream data pass their validators, and the version project() gives
# is the one the changelog and the AppStream data announce, on the same day.
# Arguments: the packaging folder, the version project() gives.
set -uo pipefail
folder=$1
version=$2
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

out=$(desktop-file-validate "$folder/veldrassa.desktop" 2>&1) && [ -z "$out" ] ||
  fail "desktop-file-validate: $out"

# The one finding allowed: the component id is the program's plain name, as its desktop entry,
# icon and work folder are, since the program has no domain of its own to build a reversed one.
report=$(appstreamcli validate --pedantic --no-net "$folder/veldrassa.metainfo.xml" 2>&1)
findings=$(grep -E '^[EWIP]: ' <<< "$report" | grep -v ' cid-desktopapp-is-not-rdns ')
grep -qE '^[EWIP]: ' <<< "$report" || grep -q 'Validation was successful' <<< "$report" ||
  fail "appstreamcli said neither findings nor success: $report"
[ -z "$findings" ] || fail "appstreamcli: $findings"

changelog_version=$(dpkg-parsechangelog -l "$folder/changelog" -S Version)
changelog_day=$(date -u -d "$(dpkg-parsechangelog -l "$folder/changelog" -S Date)" +%F)
[ "$changelog_version" = "$version" ] ||
  fail "the changelog's newest entry is $changelog_version, project() says $version"
release=$(/usr/bin/python3 -c '
import sys, xml.etree.ElementTree as ET
newest = ET.parse(sys.argv[1]).find("releases/release")
print(newest.get("version"), newest.get("date"))' "$folder/veldrassa.metainfo.xml")
[ "$release" = "$version $changelog_day" ] ||
  fail "the AppStream data's newest release is '$release', wanted '$version $changelog_day'"

[ "$failures" -eq 0 ] && echo "all checks passed" || echo "$failures checks failed"
[ "$failures" -eq 0 ]
