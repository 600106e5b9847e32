#!/usr/bin/env bash
# veldrassa-cli check: the data check before hand-in, its explanations and the submission's gate.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
"$cli" "${d[@]}" init >/dev/null
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 >/dev/null

person() { echo "$1,$2,男,否,否,1970-0$3,10,5,大学专科,管理人员,无,无,在岗职工,是"; }
{ echo "$rosterhead"; person 张三 001 1; person 李四 002 2; person 王五 003 3; person 赵六 004 4; } > "$dir/roster.csv"
printf '%s\n' "$wagehead" "001,张三,3000,500" "002,李四,2800,200" "003,王五,2800,200" "004,赵六,2800,200" > "$dir/wages.csv"
for m in $(seq 0 12); do
  "$cli" "${d[@]}" roster import --month "$m" "$dir/roster.csv" >/dev/null
  [ "$m" -gt 0 ] && "$cli" "${d[@]}" wages import --month "$m" "$dir/wages.csv" >/dev/null
done
clean="错误0条，未说明的警告0条，已说明的警告0条"
expect 0 "$clean" "" -- "$cli" "${d[@]}" check

# May's wage of 李四 typed twice as high: the month's average moves less than W03 asks.
sed 's/002,李四,2800/002,李四,6000/' "$dir/wages.csv" > "$dir/may.csv"
"$cli" "${d[@]}" wages import --month 5 "$dir/may.csv" >/dev/null
w05="W02 5/002 5月李四（002）工资合计6200元，4月为3000元，多3200元（107%）"
w06="W02 6/002 6月李四（002）工资合计3000元，5月为6200元，少3200元（52%）"
expect 1 "$(printf '%s\n' "$w05" "$w06" "错误0条，未说明的警告2条，已说明的警告0条")" "" -- "$cli" "${d[@]}" check
expect 1 "$(printf '%s\n' "$w05" "错误0条，未说明的警告1条，已说明的警告0条")" "" -- "$cli" "${d[@]}" check --month 5
expect 0 "$clean" "" -- "$cli" "${d[@]}" check --month 4
expect 0 "$clean" "" -- "$cli" "${d[@]}" check --form i202-1 --month 4
expect 1 "$(printf '%s\n' "$w05" "$w06" "错误0条，未说明的警告2条，已说明的警告0条")" "" -- "$cli" "${d[@]}" check --form annual
expect 2 "" "没有表“I999”：请写表号（如 I102-1）或报表命令（如 annual）。" -- "$cli" "${d[@]}" check --form I999

# The annual form asks, and --yes answers; the warnings go beside the file.
expect 1 "" "$(printf '%s\n' "数据审核有2条警告还没有说明：" "$w05" "$w06" "请在“数据审核”中核对并写明说明。仍然生成上报文件吗？" "加 --yes 确认后执行。")" \
  -- bash -c "\"$cli\" ${d[*]} report annual --dbf >/dev/null"
expect 0 "" "" -- bash -c "\"$cli\" ${d[*]} report annual --dbf --yes >/dev/null"
notes="$dir/work/GZSB/审核说明_123456789_I102-1.txt"
expect 0 "$(printf '%s\r\n' "$w05 说明：（无）" "$w06 说明：（无）")" "" -- bash -c "iconv -f GBK -t UTF-8 '$notes'"

expect 0 "已记下W02 5/002的说明。" "" -- "$cli" "${d[@]}" check explain W02 5/002 "五月补发 全年奖金"
expect 0 "已记下W02 6/002的说明。" "" -- "$cli" "${d[@]}" check explain w02 6/002 "奖金发完"
expect 0 "$(printf '%s\n' "$w05 说明：五月补发 全年奖金" "$w06 说明：奖金发完" "错误0条，未说明的警告0条，已说明的警告2条")" "" -- "$cli" "${d[@]}" check
expect 0 "" "" -- bash -c "\"$cli\" ${d[*]} report annual --dbf >/dev/null"
expect 1 "" "现在没有W02在“5/001”的审核发现；代码和位置请照 check 列出的填写。" -- "$cli" "${d[@]}" check explain W02 5/001 x
expect 1 "" "没有审核规则W99。" -- "$cli" "${d[@]}" check explain W99 5/002 x
expect 0 "已删除W02 6/002的说明。" "" -- "$cli" "${d[@]}" check explain W02 6/002 ""

# An error refuses the submission and cannot be explained.
{ echo "$rosterhead"; person 张三 001 1; } > "$dir/cut.csv"
"$cli" "${d[@]}" roster import --month 8 "$dir/cut.csv" >/dev/null
printf '%s\n' "$wagehead" "001,张三,3000,500" > "$dir/cutwages.csv"
"$cli" "${d[@]}" wages import --month 8 "$dir/cutwages.csv" >/dev/null
expect 1 "" "E05是错误，须改正数据，不能用说明代替。" -- "$cli" "${d[@]}" check explain E05 8 x
expect 1 "" "$(printf '%s\n' "数据审核发现错误，不能生成上报文件，请先改正：" "E05 8 8月名册只有1人，不到7月4人的一半")" \
  -- bash -c "\"$cli\" ${d[*]} report annual --dbf --yes >/dev/null"
finish
