#!/usr/bin/env bash
# veldrassa-cli report basic-quarterly / basic-annual / talent / talent-opening and roster submit:
# the checks of their menu entries, the sheet, the files under XLS and RCSB.
cli=$1
fixtures=${2:-$(dirname "$0")/../fixtures}
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
line() {  # line N of a report's output
  local n=$1
  shift
  "$cli" "${d[@]}" report "$@" | sed -n "${n}p"
}
dbf() {  # the records of a dBASE file as JSON lists
  /usr/bin/python3 -c "import json,sys; from dbfread import DBF; [print(json.dumps(list(r.values()), ensure_ascii=False)) for r in DBF(sys.argv[1], encoding='cp936')]" "$1"
}

"$cli" "${d[@]}" init >/dev/null
for form in "basic-quarterly --quarter 1" basic-annual talent talent-opening; do
  expect 1 "" "请先填写单位基本信息！" -- "$cli" "${d[@]}" report $form
done
expect 1 "" "请先填写单位基本信息！" -- "$cli" "${d[@]}" roster submit
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 --class 是1 >/dev/null

expect 1 "" "一季度数据不全，请保证具有1-3月的工资数据！" -- "$cli" "${d[@]}" report basic-quarterly --quarter 1
expect 1 "" "年度数据不全，请保证有年末12月数据。" -- "$cli" "${d[@]}" report talent
expect 1 "" "季度必须是1到3。" -- "$cli" "${d[@]}" report basic-quarterly --quarter 4
expect 1 "" "请给出 --quarter，或者 --from 和 --to。" -- "$cli" "${d[@]}" report basic-quarterly
expect 1 "" "期间报表不能生成上报文件。" -- "$cli" "${d[@]}" report basic-quarterly --from 4 --to 6 --dbf

header='姓名	姓名编号	性别	少数民族	中共党员	出生年月	参加工作年限	其中本岗位年限	学历	岗位名称	专业技术等级	技能等级	用工身份	全日制用工	工程技术人员	一级建造师	现场施工人员	是否直接从事生产经营活动'
{
  echo "$header"
  printf '%s\n' "张三	001	男	否	是	1967-05	20	5	大学本科	单位负责人	无	无	在岗职工	是	是	是	否	是"
  printf '%s\n' "李四	002	女	是	否	1980-03	10	2	大学专科	高级工	无	技师	劳务派遣人员	否	否	否	是(持证上岗)	否"
} > "$dir/roster.tsv"
printf '%s\n' "姓名编号,姓名,基本工资,绩效工资,工资性津贴和补贴,其他工资" "001,张三,3000,500,,200" \
  "002,李四,2001" > "$dir/wages.csv"
"$cli" "${d[@]}" roster import --month 0 "$dir/roster.tsv" >/dev/null
expect 0 "$dir/work/RCSB/Gl_123456789.dbf" "" -- "$cli" "${d[@]}" roster submit
expect 0 '["001", "男", "否", "是", "1967-05", 20, 5, "大学本科", "", "单位负责人", "无", "无"]
["002", "女", "是", "否", "1980-03", 10, 2, "大学专科", "", "高级工", "无", "技师"]' "" \
  -- dbf "$dir/work/RCSB/Gl_123456789.dbf"

for m in $(seq 1 12); do
  "$cli" "${d[@]}" roster import --month $m "$dir/roster.tsv" >/dev/null
  "$cli" "${d[@]}" wages import --month $m "$dir/wages.csv" >/dev/null
done

# Quarter 2: 5 701 yuan a month over six months; two persons on average.
expect 0 "26" "" -- bash -c "\"$cli\" ${d[*]} report basic-quarterly --quarter 2 | wc -l"
expect 0 "其中：管理人员	人	I04	1	--" "" -- line 4 basic-quarterly --quarter 2
expect 0 "二、从业人员平均人数	人	I08	--	2" "" -- line 8 basic-quarterly --quarter 2
expect 0 "三、从业人员劳动报酬	元	I12	--	34206" "" -- line 12 basic-quarterly --quarter 2
expect 0 "四、从业人员平均劳动报酬	元	I20	--	17103" "" -- line 16 basic-quarterly --quarter 2
expect 0 "$dir/work/XLS/基础定期报表I202-2_2012年2季度.xlsx
$dir/work/RCSB/123456789_2_i202.dbf" "" -- bash -c "\"$cli\" ${d[*]} report basic-quarterly --quarter 2 --xlsx --dbf | tail -n 2"
expect 0 '["123456789", 2, 1, 1, 1, 0, 2, 1, 1, 0, 34206, 22200, 12006, 0, 17103, 22200, 12006, 0, 1, 1, 1, 0, "测试厂"]' "" \
  -- dbf "$dir/work/RCSB/123456789_2_i202.dbf"
# The range 4 to 6 takes those months and divides by 7.
expect 0 "指标名称	计量单位	代码	本季实际	统计月间" "" -- line 1 basic-quarterly --from 4 --to 6
expect 0 "三、从业人员劳动报酬	元	I12	--	17103" "" -- line 12 basic-quarterly --from 4 --to 6
expect 1 "" "开始、截止月份错误!" -- "$cli" "${d[@]}" report basic-quarterly --from 6 --to 4

expect 0 "34" "" -- bash -c "\"$cli\" ${d[*]} report basic-annual | wc -l"
expect 0 "其中：基本工资	元	I14	36000		（五）单位从业人员中技术工人	人	A12	1" "" -- line 16 basic-annual
expect 0 "四、从业人员平均劳动报酬	元	I20	34206.00		6. 在技术操作岗位工作人员	人	A18	0" "" -- line 22 basic-annual
expect 0 "$dir/work/RCSB/123456789_i102.dbf" "" -- bash -c "\"$cli\" ${d[*]} report basic-annual --dbf | tail -n 1"

# The year-end summary: both persons, a woman of a minority born 1980 (35 or younger) and a
# party member born in May 1967 (41 to 45).
expect 0 "1.年末从业人员	1	人	2	1	1	1	0	1	1	0	1	0	1	0	0	0	-	-" "" -- line 4 talent
expect 0 "$dir/work/XLS/汇总表.xlsx
$dir/work/RCSB/123456789_i505.dbf
$dir/work/RCSB/Gl_123456789.dbf" "" -- bash -c "\"$cli\" ${d[*]} report talent --xlsx --dbf | tail -n 3"
expect 0 "17" "" -- /usr/bin/python3 -c "import sys; from dbfread import DBF; print(len(DBF(sys.argv[1])))" \
  "$dir/work/RCSB/123456789_i505.dbf"
expect 0 "合计	1	2	1	1	——	0	1	1	0	0" "" -- line 4 talent-opening
expect 0 "$dir/work/RCSB/123456789.dbf" "" -- bash -c "\"$cli\" ${d[*]} report talent-opening --dbf | tail -n 1"

# Staff that failed the audit refuse the summaries that guard their months.
{ cat "$dir/roster.tsv"; printf '%s\n' "王五	003	男	否	否	1980-03	10	2	博士	高级工	无	技师	在岗职工	否				否"; } > "$dir/faulty.tsv"
"$cli" "${d[@]}" roster import --month 5 "$dir/faulty.tsv" >/dev/null
expect 1 "" "你没有<审核>数据及<存储>，无法进行统计汇总。" -- "$cli" "${d[@]}" report talent
expect 0 "合计	1	2	1	1	——	0	1	1	0	0" "" -- line 4 talent-opening
finish
