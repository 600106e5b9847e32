#!/usr/bin/env bash
# Every form on three made-up years (a construction enterprise 是1, an enterprise 否, a government
# organ), run through the command line with its files: the printed sheet, the stored rows, every
# submission file's records and every workbook cell must equal the golden texts in
# fixtures/golden. So do the refusals of every form before registration, without data and with a
# spoiled month. VEL_GOLDEN_UPDATE=1 writes the golden texts instead of comparing.
cli=$1
fixtures=${2:-$(dirname "$0")/../fixtures}
source "$(dirname "$0")/CliAssert.bash"
golden=$fixtures/golden
py=/usr/bin/python3

# The stored rows of report tables, dates of computation as DATE.
tables() {
  local t
  for t in "$@"; do
    echo "table $t"
    sqlite3 -header -separator $'\t' "$work/Database/RCdatabase.db" "SELECT * FROM $t ORDER BY rowid" |
      sed -E 's/[0-9]{4}-[0-9]{2}-[0-9]{2}/DATE/g'
  done
}

# run TABLES... -- ARGS...: the command, its exit code, what it printed, the tables it stores and
# every file it names.
run() {
  local names=()
  while [ "$1" != "--" ]; do names+=("$1"); shift; done
  shift
  echo "\$ $*" | sed "s#$dir#DIR#g"
  "$cli" --data-dir "$work" "$@" >"$dir/out" 2>"$dir/err"
  echo "exit $?"
  sed "s#$work#WORK#g; s#$cli#veldrassa-cli#g" "$dir/out"
  sed "s#$work#WORK#g; s/^/! /" "$dir/err"
  [ ${#names[@]} -gt 0 ] && tables "${names[@]}"
  local path
  while IFS= read -r path; do
    case "$path" in
      "$work"/*.dbf) echo "file ${path#$work/}"; $py "$golden/dump_file.py" dbf "$path" ;;
      "$work"/*.xlsx) echo "file ${path#$work/}"; $py "$golden/dump_file.py" xlsx "$path" ;;
    esac
  done <"$dir/out"
}

every_form() {  # each form once, for the refusals
  run -- report quarterly --quarter 1
  run -- report quarterly --quarter 4
  run -- report annual
  run -- report basic-quarterly --quarter 1
  run -- report basic-quarterly --quarter 0
  run -- report basic-quarterly
  run -- report basic-quarterly --from 4 --to 6 --dbf
  run -- report basic-quarterly --from 6 --to 4
  run -- report basic-annual
  run -- report talent
  run -- report talent-opening
  run -- report wage-summary --from 1 --to 6
  run -- report wage-summary --from 3 --to x
  run -- report wage-summary --from 4 --to 4 --dbf
}

year() {  # year KIND TYPE CLASS CODE NAME
  local kind=$1
  work=$dir/$kind
  $py "$golden/make_year.py" "$kind" "$dir/$kind-files"
  "$cli" --data-dir "$work" init >/dev/null
  echo "# before registration"
  every_form
  run -- unit set --name "$5" --code "$4" --type "$2" --class "$3"
  echo "# without data"
  every_form
  for m in $(seq 0 12); do
    run -- roster import --month "$m" "$dir/$kind-files/roster-$m.tsv"
    [ "$m" -gt 0 ] && run -- wages import --month "$m" "$dir/$kind-files/wages-$m.csv"
  done
  echo "# the forms"
  for q in 1 2 3; do
    run JGLabor_info -- report quarterly --quarter "$q" --xlsx --dbf
  done
  run NGLabor_info -- report annual --xlsx --dbf
  for q in 1 2 3; do
    run JLabor_info -- report basic-quarterly --quarter "$q" --xlsx --dbf
  done
  run JLabor_info -- report basic-quarterly --from 4 --to 9 --xlsx
  run NLabor_info -- report basic-annual --xlsx --dbf
  run Total_BaseInfo -- report talent --xlsx --dbf
  run Total_Info -- report talent-opening --xlsx --dbf
  run Total_Info Total_1_6 -- report wage-summary --from 1 --to 6 --xlsx --dbf
  run Total_Info Total_6_12 -- report wage-summary --from 6 --to 12 --xlsx --dbf
  run Total_Info Total_3_5 -- report wage-summary --from 3 --to 5 --xlsx
  run Total_Info Total_1_12 -- report wage-summary --from 1 --to 12 --xlsx --dbf
  run Total_Info -- report talent-opening --dbf
  run Total_Info -- report wage-summary --from 1 --to 6 --reuse --dbf
  run -- report wage-summary --from 2 --to 6 --reuse
  run -- overview
  echo "# a spoiled month"
  { cat "$dir/$kind-files/roster-5.tsv"
    printf '%s\n' "王五	999	男	否	否	1980-03	10	2	博士	高级工	无	技师	在岗职工	否				否"; } \
    >"$dir/$kind-files/faulty.tsv"
  run -- roster import --month 5 "$dir/$kind-files/faulty.tsv"
  every_form
  run -- report quarterly --quarter 2
  run -- report basic-quarterly --quarter 2
}

# The command line's own description of the forms, and the help tables written from their rules.
usage() {
  local form
  work=$dir/usage
  run -- report --help
  for form in quarterly annual basic-quarterly basic-annual talent talent-opening wage-summary; do
    run -- report $form --help
  done
  run -- help
  run -- help indicators
}

check() {  # check NAME PRODUCER [ARGS...]
  local name=$1
  shift
  "$@" >"$dir/$name.txt"
  if [ "${VEL_GOLDEN_UPDATE:-}" = 1 ]; then
    cp "$dir/$name.txt" "$golden/$name.txt"
  elif ! diff -u "$golden/$name.txt" "$dir/$name.txt" >"$dir/$name.diff"; then
    echo "FAILED: $name differs from $golden/$name.txt:"
    head -n 60 "$dir/$name.diff"
    failures=$((failures + 1))
  fi
}

check usage usage
check construction year construction 企业事业单位 是1 330102001 临川市恒达建筑工程有限公司
check other year other 企业事业单位 否 33010200X 临川市东湖文化服务中心
check organ year organ 机关单位 否 330102003 临川市东湖区人力资源和社会保障局
finish
