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

# May's wage of 李四 typed twice as high: one finding, none for June's return to normal; the
# month's average moves less than W03 asks. December's year-end pay lifts everyone: one finding
# for the month.
sed 's/002,李四,2800/002,李四,6000/' "$dir/wages.csv" > "$dir/may.csv"
"$cli" "${d[@]}" wages import --month 5 "$dir/may.csv" >/dev/null
sed 's/,\([0-9]*\)$/,1\1/' "$dir/wages.csv" > "$dir/december.csv"
"$cli" "${d[@]}" wages import --month 12 "$dir/december.csv" >/dev/null
w02="W02 5/002 5月李四（002）工资合计6200元，此人平常月份为3000元，多3200元（107%）"
w03="W03 12 12月平均工资4125元，其他月份一般为3125元，多1000元（32%）"
expect 1 "$(printf '%s\n' "$w02" "$w03" "错误0条，未说明的警告2条，已说明的警告0条")" "" -- "$cli" "${d[@]}" check
expect 1 "$(printf '%s\n' "$w02" "错误0条，未说明的警告1条，已说明的警告0条")" "" -- "$cli" "${d[@]}" check --month 5
expect 0 "$clean" "" -- "$cli" "${d[@]}" check --month 4
expect 0 "$clean" "" -- "$cli" "${d[@]}" check --form i202-1 --month 4
expect 1 "$(printf '%s\n' "$w02" "$w03" "错误0条，未说明的警告2条，已说明的警告0条")" "" -- "$cli" "${d[@]}" check --form annual
# The year-end talent summary reads no wage.
expect 0 "$clean" "" -- "$cli" "${d[@]}" check --form talent
expect 2 "" "没有表“I999”：请写表号（如 I102-1）或报表命令（如 annual）。" -- "$cli" "${d[@]}" check --form I999

# The annual form asks, and --yes answers; the warnings go beside the file, by month and rule.
expect 1 "" "$(printf '%s\n' "数据审核有2条警告还没有说明：" "$w02" "$w03" "请在“数据审核”中核对并写明说明。仍然生成上报文件吗？" "加 --yes 确认后执行。")" \
  -- bash -c "\"$cli\" ${d[*]} report annual --dbf >/dev/null"
expect 0 "" "" -- bash -c "\"$cli\" ${d[*]} report annual --dbf --yes >/dev/null"
notes="$dir/work/GZSB/审核说明_123456789_I102-1.txt"
expect 0 "$(printf '%s\r\n' "【5月】W02 个人工资异常" "说明：（无）" "  $w02" "" "【12月】W03 月平均工资变动大" "说明：（无）" "  $w03")" "" \
  -- bash -c "iconv -f GBK -t UTF-8 '$notes'"

expect 0 "已记下W02 5/002的说明。" "" -- "$cli" "${d[@]}" check explain W02 5/002 "五月补发 全年奖金"
expect 0 "已记下W03 12的说明。" "" -- "$cli" "${d[@]}" check explain w03 12 "年终奖"
expect 0 "$(printf '%s\n' "$w02 说明：五月补发 全年奖金" "$w03 说明：年终奖" "错误0条，未说明的警告0条，已说明的警告2条")" "" -- "$cli" "${d[@]}" check
expect 0 "" "" -- bash -c "\"$cli\" ${d[*]} report annual --dbf >/dev/null"
expect 1 "" "现在没有W02在“5/001”的审核发现；代码和位置请照 check 列出的填写。" -- "$cli" "${d[@]}" check explain W02 5/001 x
expect 1 "" "没有审核规则W99。" -- "$cli" "${d[@]}" check explain W99 5/002 x
expect 0 "已删除W03 12的说明。" "" -- "$cli" "${d[@]}" check explain W03 12 ""
# May's figures change under the explanation: it no longer answers for them.
sed 's/002,李四,2800/002,李四,6100/' "$dir/wages.csv" > "$dir/may.csv"
"$cli" "${d[@]}" wages import --month 5 "$dir/may.csv" >/dev/null
expect 1 "$(printf '%s\n' "W02 5/002 5月李四（002）工资合计6300元，此人平常月份为3000元，多3300元（110%） 说明已过时：五月补发 全年奖金" "错误0条，未说明的警告1条，已说明的警告0条")" "" \
  -- "$cli" "${d[@]}" check --month 5

# The figures the check compares with, typed on the command line; an empty one clears it.
expect 2 "" "unit set 需要 --name 和 --code，或审核用数据 --min-wage、--last-heads、--last-wages。" -- "$cli" "${d[@]}" unit set
expect 1 "" "“当地月最低工资标准”应为不小于0的数，或者空着：abc" -- "$cli" "${d[@]}" unit set --min-wage abc
expect 0 "保存成功！" "" -- "$cli" "${d[@]}" unit set --min-wage 3200 --last-heads 4
expect 0 "W05 1/003 1-11月王五（003）是全日制在岗职工，工资合计3000元，低于当地月最低工资标准3200元" "" \
  -- bash -c "\"$cli\" ${d[*]} check | grep '^W05 1/003'"
expect 0 "保存成功！" "" -- "$cli" "${d[@]}" unit set --min-wage ""
expect 0 "$clean" "" -- bash -c "\"$cli\" ${d[*]} check --month 3"

# An error refuses the submission and cannot be explained.
{ echo "$rosterhead"; person 张三 001 1; } > "$dir/cut.csv"
"$cli" "${d[@]}" roster import --month 8 "$dir/cut.csv" >/dev/null
printf '%s\n' "$wagehead" "001,张三,3000,500" > "$dir/cutwages.csv"
"$cli" "${d[@]}" wages import --month 8 "$dir/cutwages.csv" >/dev/null
expect 1 "" "E05是错误，须改正数据，不能用说明代替。" -- "$cli" "${d[@]}" check explain E05 8 x
expect 1 "" "$(printf '%s\n' "数据审核发现错误，不能生成上报文件，请先改正：" "E05 8 8月名册只有1人，不超过7月4人的一半")" \
  -- bash -c "\"$cli\" ${d[*]} report annual --dbf --yes >/dev/null"
finish
