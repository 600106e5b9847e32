#!/usr/bin/env bash
# veldrassa-cli roster import / export: a clerk's file in, the stored roster out.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
"$cli" "${d[@]}" init >/dev/null
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 --class 规上 >/dev/null

expect 1 "" "文件夹 $dir/none 中没有数据库（Database/RCdatabase.db）。请检查 --data-dir 是否写对；新的工作文件夹请先运行 init。" -- "$cli" --data-dir "$dir/none" roster import --month 0 /dev/null

header='姓名	姓名编号	性别	少数民族	中共党员	出生年月	参加工作年限	其中本岗位年限	学历	岗位名称	专业技术等级	技能等级	用工身份	全日制用工	工程技术人员	一级建造师	现场施工人员	是否直接从事生产经营活动'
{
  echo "$header"
  printf '%s\n' "张 三	001	男	0	1	67年5月	20	5	大学本科	管理人员	无	无	在岗职工	是	0	x	x	1"
  printf '%s\n' "O'Neil	002	女	否	否	1996-01	3	3	博士	管理人员	无	无	在岗职工	是				否"
  printf '%s\n' "李四		男	否	否	1980.3	10	2	初中	高级工	无	技师	在岗职工	否				否"
} > "$dir/roster.tsv"

expect 0 "encoding UTF-8
line 3: O'Neil: 出生年月, 学历
line 4: 李四: 姓名编号
stored 3 rows, 2 failed" "" -- "$cli" "${d[@]}" roster import --month 0 "$dir/roster.tsv"

# Coded and normalised as the sheet's save does; columns 15-17 are not this class's answers.
expect 0 "姓名	姓名编号	性别	少数民族	中共党员	出生年月	参加工作年限	其中本岗位年限	学历	岗位名称	具有国家评定的专业技术等级	具有国家评定的技能等级	用工身份	全日制用工	工程技术人员	一级建造师	现场施工人员	是否直接从事生产经营活动	sIsok
张三	001	男	否	是	1967-05	20	5	大学本科	管理人员	无	无	在岗职工	是				是	1
O'Neil	002	女	否	否	1996-01	3	3	博士	管理人员	无	无	在岗职工	是				否	0
李四		男	否	否	1980-03	10	2	初中	高级工	无	技师	在岗职工	否				否	0" "" -- "$cli" "${d[@]}" roster export --month 0

# A GBK CSV file for month 3 replaces nothing of month 0.
printf '%s\n' "姓名,姓名编号,性别" "王五,9,男,否,否,1970-01,1,1,大学专科,管理人员,无,无,\"在岗职工\",是,,,,否" \
  | iconv -f UTF-8 -t GBK > "$dir/gbk.csv"
expect 0 "encoding GBK
stored 1 rows, 0 failed" "" -- "$cli" "${d[@]}" roster import --month 3 "$dir/gbk.csv"
expect 0 "4" "" -- bash -c "\"$cli\" ${d[*]} roster export --month 0 | wc -l"

# Refusals name the line and store nothing.
printf '%s\n' "$rosterhead" "甲,1,男" ",2,女" "乙,3,男" > "$dir/gap.csv"
expect 1 "encoding UTF-8" "第3行没有姓名，其下还有人员。" -- "$cli" "${d[@]}" roster import --month 3 "$dir/gap.csv"
printf '%s\n' "$rosterhead" "甲,1,男,,,,,,,,,,,,,,,,x" > "$dir/wide.csv"
expect 1 "encoding UTF-8" "第2行有19列，多于人员表的18列。" -- "$cli" "${d[@]}" roster import --month 3 "$dir/wide.csv"
expect 1 "" "找不到文件：$dir/missing.csv" -- "$cli" "${d[@]}" roster import --month 3 "$dir/missing.csv"
# A staff list from the personnel office: its own headings under a title, matched once with
# --columns and by the kept matching after; the answers are coded and audited as always.
{
  echo 人事处职工名单
  echo 工号,姓名,性别,民族,出生日期,文化程度,岗位,电话
  echo 7001,周八,男,否,1980-02,大学本科,管理人员,13800000000
} > "$dir/staff.csv"
staffmatching='姓名=姓名;姓名编号=工号;性别=性别;少数民族=民族;出生年月=出生日期;学历=文化程度;岗位名称=岗位'
expect 1 "encoding UTF-8" "文件的栏目与本系统的不同，请用 --columns 指定各栏的对应关系。
文件的栏目：工号 姓名 性别 民族 出生日期 文化程度 岗位 电话
建议（请核对后使用）：--columns '$staffmatching'" -- "$cli" "${d[@]}" roster import --month 4 "$dir/staff.csv"
expect 1 "encoding UTF-8" "“姓名编号”不是金额，只能对应文件中的一个栏目，不能相加。" -- \
  "$cli" "${d[@]}" roster import --month 4 "$dir/staff.csv" --columns "姓名=姓名;姓名编号=工号+电话"
"$cli" "${d[@]}" roster import --month 4 "$dir/staff.csv" --columns "$staffmatching" >/dev/null
expect 0 "$staffmatching	工号 姓名 性别 民族 出生日期 文化程度 岗位 电话" "" -- "$cli" "${d[@]}" roster columns
expect 0 "周八	7001	男	否		1980-02" "" -- \
  bash -c "\"$cli\" ${d[*]} roster import --month 4 \"$dir/staff.csv\" >/dev/null && \"$cli\" ${d[*]} roster export --month 4 | tail -1 | cut -f1-6"
echo "$rosterhead" > "$dir/empty.csv"
expect 1 "encoding UTF-8" "第一行没有数据。" -- "$cli" "${d[@]}" roster import --month 3 "$dir/empty.csv"
expect 0 "2" "" -- bash -c "\"$cli\" ${d[*]} roster export --month 3 | wc -l"
finish
