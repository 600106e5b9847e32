#!/usr/bin/env bash
# By hand, not in CI: every form's workbook as LibreOffice prints it, beside the program's own
# PDF of the same form, as PNG pages to look at. Needs LibreOffice (soffice) and poppler-utils.
#
#   scripts/print-check.sh [BUILD_DIR] [OUT_DIR]
#
# OUT_DIR (default /tmp/veldrassa-print-check) receives calc/*.pdf and calc/*.png from the
# workbooks, own/*.pdf and own/*.png from --pdf.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
out=${2:-/tmp/veldrassa-print-check}
cli=$build/src/cli/veldrassa-cli
golden=$here/tests/fixtures/golden
command -v soffice >/dev/null || { echo "soffice (LibreOffice) is needed" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out/calc" "$out/own"
work=$out/work
/usr/bin/python3 "$golden/make_year.py" construction "$out/files"
"$cli" --data-dir "$work" init >/dev/null
"$cli" --data-dir "$work" unit set --name 临川市恒达建筑工程有限公司 --code 330102001 \
  --type 企业事业单位 --class 是1 >/dev/null
for m in $(seq 0 12); do
  "$cli" --data-dir "$work" roster import --month "$m" "$out/files/roster-$m.tsv" >/dev/null
  [ "$m" -gt 0 ] && "$cli" --data-dir "$work" wages import --month "$m" \
    "$out/files/wages-$m.csv" >/dev/null
done

forms=(
  "quarterly --quarter 1"
  "annual"
  "basic-quarterly --quarter 1"
  "basic-annual"
  "talent"
  "talent-opening"
  "wage-summary --from 1 --to 12"
)
for f in "${forms[@]}"; do
  # shellcheck disable=SC2086
  "$cli" --data-dir "$work" report $f --xlsx --pdf >"$out/last" || true
done
"$cli" --data-dir "$work" payout --from 1 --to 12 --pdf >/dev/null
"$cli" --data-dir "$work" roster diff --from 0 --to 12 --pdf >/dev/null
"$cli" --data-dir "$work" overview --pdf >/dev/null

cp "$work"/XLS/*.pdf "$out/own/"
soffice --headless --convert-to pdf --outdir "$out/calc" "$work"/XLS/*.xlsx >/dev/null
for kind in calc own; do
  for pdf in "$out/$kind"/*.pdf; do
    pdftoppm -r 60 -png "$pdf" "${pdf%.pdf}"
  done
done
echo "pages in $out/calc (LibreOffice) and $out/own (the program)"
