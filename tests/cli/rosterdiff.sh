#!/usr/bin/env bash
# veldrassa-cli roster diff: the month-over-month check a clerk does by eye.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
"$cli" "${d[@]}" init >/dev/null
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 >/dev/null

person() { echo "$1,$2,男,否,否,1970-01,10,5,$3,管理人员,无,无,在岗职工,是"; }
{ echo "$rosterhead"; person 张三 001 大学专科; person 李四 002 高中; person 王五 003 初中; } > "$dir/opening.csv"
{ echo "$rosterhead"; person 王五 003 初中; person 赵六 004 高中; person 张三 001 大学本科; } > "$dir/month1.csv"
"$cli" "${d[@]}" roster import --month 0 "$dir/opening.csv" >/dev/null
"$cli" "${d[@]}" roster import --month 1 "$dir/month1.csv" >/dev/null

expect 0 "变动	姓名编号	姓名	项目	期初	1月
新增	004	赵六			
离开	002	李四			
变更	001	张三	学历	大学专科	大学本科
joined 1, left 1, changed 1" "" -- "$cli" "${d[@]}" roster diff --from 0 --to 1
expect 1 "" "2月名册内没有数据！" -- "$cli" "${d[@]}" roster diff --from 1 --to 2
expect 1 "" "请选择两个不同的月份。" -- "$cli" "${d[@]}" roster diff --from 1 --to 1
expect 1 "" "月份必须是0（期初）到12。" -- "$cli" "${d[@]}" roster diff --from -1 --to 1
finish
