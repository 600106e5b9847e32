#!/usr/bin/env bash
# veldrassa-cli wages confirm: a part-month joiner's small total confirmed from the command line,
# as the error window confirms it, so that the next month opens.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
"$cli" "${d[@]}" init >/dev/null
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 >/dev/null
person() { echo "$1,$2,男,否,否,1970-01,10,5,大学专科,管理人员,无,无,在岗职工,是"; }
{ echo "$rosterhead"; person 张三 001; person 李四 002; person 王五 003; person 赵六 004; } > "$dir/roster.csv"
"$cli" "${d[@]}" roster import --month 1 "$dir/roster.csv" >/dev/null
"$cli" "${d[@]}" roster import --month 2 "$dir/roster.csv" >/dev/null
# 李四 joined on the 28th: 400 yuan; 王五's wages were forgotten; 赵六 is not on the roster
# under that name.
printf '%s\n' "姓名编号,姓名,基本工资,绩效工资,工资性津贴和补贴,其他工资" \
  "001,张三,3000,500" "002,李四,400" "003,王五" "004,赵七,3000" > "$dir/wages1.csv"
"$cli" "${d[@]}" wages import --month 1 "$dir/wages1.csv" >/dev/null
printf '%s\n' "姓名编号,姓名,基本工资,绩效工资,工资性津贴和补贴,其他工资" "001,张三,3000" \
  > "$dir/wages2.csv"
expect 1 "" "必须先核实1月[工资]数据，否则无法进行本月操作！" -- "$cli" "${d[@]}" wages import --month 2 "$dir/wages2.csv"

expect 1 "" "1月没有以下姓名编号的超限合计可确认：001 004" -- \
  "$cli" "${d[@]}" wages confirm --month 1 002 001 004
expect 1 "" "以下人员的四项工资都是空的，确认后将按0元计入报表：
[003] 王五
是否仍然确认？
加 --yes 确认后执行。" -- "$cli" "${d[@]}" wages confirm --month 1 002 003
expect 0 "工资审核性错误确认成功！
confirmed 1 rows" "" -- "$cli" "${d[@]}" wages confirm --month 1 002
expect 0 "姓名编号	姓名	基本工资	绩效工资	工资性津贴和补贴	其他工资	合计	sFlag	wFlag
001	张三	3000	500			3500	1	1
002	李四	400				400	1	1
003	王五					0	1	0
004	赵七	3000				3000	0	1" "" -- "$cli" "${d[@]}" wages export --month 1

# 王五's wage is really 0 this month (unpaid leave); 赵七 is 赵六, corrected by a new import.
expect 0 "工资审核性错误确认成功！
confirmed 1 rows" "" -- "$cli" "${d[@]}" wages confirm --month 1 003 --yes
expect 1 "" "必须先核实1月[工资]数据，否则无法进行本月操作！" -- "$cli" "${d[@]}" wages import --month 2 "$dir/wages2.csv"
printf '%s\n' "姓名编号,姓名,基本工资,绩效工资,工资性津贴和补贴,其他工资" \
  "001,张三,3000,500" "002,李四,400" "004,赵六,3000" > "$dir/wages1.csv"
"$cli" "${d[@]}" wages import --month 1 "$dir/wages1.csv" >/dev/null
expect 0 "工资审核性错误确认成功！
confirmed 1 rows" "" -- "$cli" "${d[@]}" wages confirm --month 1 002
expect 1 "" "没有错误信息！" -- "$cli" "${d[@]}" wages confirm --month 1 002
expect 0 "encoding UTF-8
stored 1 rows, 0 flagged" "" -- "$cli" "${d[@]}" wages import --month 2 "$dir/wages2.csv"
finish
