#!/usr/bin/env bash
# veldrassa-cli wages carry: last month's wages stored for this month's roster.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
"$cli" "${d[@]}" init >/dev/null
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 >/dev/null

person() { echo "$1,$2,男,否,否,1970-01,10,5,大学专科,管理人员,无,无,在岗职工,是"; }
{ echo "$rosterhead"; person 张三 001; person 李四 002; person 王五 003; } > "$dir/month1.csv"
{ echo "$rosterhead"; person 王五 003; person 赵六 004; person 张三 001; } > "$dir/month2.csv"
"$cli" "${d[@]}" roster import --month 1 "$dir/month1.csv" >/dev/null
printf '%s\n' "$wagehead" "001,张三,3000,500" "002,李四,2800" "003,王五,4000,,,100" > "$dir/wages1.csv"
"$cli" "${d[@]}" wages import --month 1 "$dir/wages1.csv" >/dev/null

expect 1 "" "必须先核实2月名单！" -- "$cli" "${d[@]}" wages carry --month 2
"$cli" "${d[@]}" roster import --month 2 "$dir/month2.csv" >/dev/null
expect 1 "" "1月没有上一月，无法导入上一月工资。" -- "$cli" "${d[@]}" wages carry --month 1

# 赵六 joined without wages: stored, and flagged below the bound for the clerk to fill in.
expect 0 "导入成功，共计3人：2人沿用上月工资，1人为新增人员（工资待填写）；上月1人不在本月名单中，未导入。
工资总额超出额定范围：
上限不超过100000,下限不低于500.
请到[显示错误]中核实！
stored 3 rows, 1 flagged" "" -- "$cli" "${d[@]}" wages carry --month 2
stored="姓名编号	姓名	基本工资	绩效工资	工资性津贴和补贴	其他工资	合计	sFlag	wFlag
003	王五	4000			100	4100	1	1
004	赵六					0	1	0
001	张三	3000	500			3500	1	1"
expect 0 "$stored" "" -- "$cli" "${d[@]}" wages export --month 2

# Stored wages are replaced only when asked to.
expect 1 "" "2月已存储工资，加 --yes 才会覆盖。" -- "$cli" "${d[@]}" wages carry --month 2
expect 0 "$stored" "" -- "$cli" "${d[@]}" wages export --month 2
expect 0 "stored 3 rows, 1 flagged" "" -- bash -c "\"$cli\" ${d[*]} wages carry --month 2 --yes | tail -1"
finish
