#!/usr/bin/env bash
# veldrassa-cli roster import / wages import with Excel workbooks: each stores what the office
# suite's "save as CSV, as shown" of the same workbook stores.
cli=$1
books=$2/workbooks
source "$(dirname "$0")/CliAssert.bash"

# A work folder with a registered unit; the roster of month 1 holds the wage sheet's people.
setup() {
  local w=(--data-dir "$1")
  "$cli" "${w[@]}" init >/dev/null
  "$cli" "${w[@]}" unit set --name 测试厂 --code 123456789 >/dev/null
  printf '%s\n' "姓名	姓名编号" "张伟	1001" "欧阳娜娜	1002" "李明	1003" "王芳	001004" "赵强	1005" \
    > "$dir/month1.tsv"
  "$cli" "${w[@]}" roster import --month 1 "$dir/month1.tsv" >/dev/null
}

setup "$dir/csv"
# Each sheet as CSV: what its command prints and what the month then holds.
declare -A month=([roster]=0 [wages]=1) stored
for sheet in roster wages; do
  "$cli" --data-dir "$dir/csv" $sheet import --month ${month[$sheet]} "$books/expected-$sheet.csv" \
    > "$dir/$sheet-csv.out"
  stored[$sheet]=$("$cli" --data-dir "$dir/csv" $sheet export --month ${month[$sheet]})
done

for sheet in roster wages; do
  for book in $sheet.xlsx $sheet-office.xlsx $sheet.xls; do
    work=$dir/${book//./-}
    setup "$work"
    m=${month[$sheet]}
    expect 0 "workbook ${book##*.}
$(tail -n +2 "$dir/$sheet-csv.out")" "" -- "$cli" --data-dir "$work" $sheet import --month $m "$books/$book"
    expect 0 "${stored[$sheet]}" "" -- "$cli" --data-dir "$work" $sheet export --month $m
  done
done

# Refused, naming the file; nothing stored.
expect 1 "" "文件 $books/wages-password.xls 设有密码保护，无法读取。请在表格程序中取消密码后再导入。" \
  -- "$cli" --data-dir "$dir/csv" wages import --month 1 "$books/wages-password.xls"
printf 'not a workbook\n' > "$dir/notes.xls"
expect 1 "" "文件 $dir/notes.xls 不是Excel工作簿，无法读取。" \
  -- "$cli" --data-dir "$dir/csv" roster import --month 0 "$dir/notes.xls"
# A pipe given as the file is refused at once, whatever its name, not read until it ends.
for name in pipe.xlsx pipe.xls pipe.csv; do
  mkfifo "$dir/$name"
  expect 1 "" "$dir/$name 不是普通文件（是设备或管道），无法导入。" \
    -- timeout 20 "$cli" --data-dir "$dir/csv" wages import --month 1 "$dir/$name"
done
expect 1 "" "$dir/pipe.xlsx 不是普通文件（是设备或管道），无法导入。" \
  -- timeout 20 "$cli" --data-dir "$dir/csv" roster import --month 0 "$dir/pipe.xlsx"
expect 0 "${stored[roster]}" "" -- "$cli" --data-dir "$dir/csv" roster export --month 0
finish
