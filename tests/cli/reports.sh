#!/usr/bin/env bash
# veldrassa-cli report quarterly / annual: refused until the months are complete and clean, then
# computed, stored, printed and written as workbook and submission file.
cli=$1
fixtures=${2:-$(dirname "$0")/../fixtures}
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
line() {  # line N of a report's output
  local n=$1
  shift
  "$cli" "${d[@]}" report "$@" | sed -n "${n}p"
}

expect 1 "" "文件夹 $dir/none 中没有数据库（Database/RCdatabase.db）。请检查 --data-dir 是否写对；新的工作文件夹请先运行 init。" -- "$cli" --data-dir "$dir/none" report quarterly --quarter 1
expect 1 "" "文件夹 $dir/none 中没有数据库（Database/RCdatabase.db）。请检查 --data-dir 是否写对；新的工作文件夹请先运行 init。" -- "$cli" --data-dir "$dir/none" report annual
"$cli" "${d[@]}" init >/dev/null
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 --class 规上 >/dev/null
expect 1 "" "季度必须是1到3。" -- "$cli" "${d[@]}" report quarterly --quarter 4
expect 1 "" "无3月工资数据，无法统计。" -- "$cli" "${d[@]}" report quarterly --quarter 1
expect 1 "" "无12月数据，无法统计。" -- "$cli" "${d[@]}" report annual

header='姓名	姓名编号	性别	少数民族	中共党员	出生年月	参加工作年限	其中本岗位年限	学历	岗位名称	专业技术等级	技能等级	用工身份	全日制用工	工程技术人员	一级建造师	现场施工人员	是否直接从事生产经营活动'
{
  echo "$header"
  printf '%s\n' "张三	001	男	否	是	1967-05	20	5	大学本科	单位负责人	无	无	在岗职工	是				是"
  printf '%s\n' "李四	002	女	否	否	1980-03	10	2	大学专科	高级工	无	技师	劳务派遣人员	否				否"
} > "$dir/roster.tsv"
{ cat "$dir/roster.tsv"; printf '%s\n' "王五	003	男	否	否	1980-03	10	2	博士	高级工	无	技师	在岗职工	否				否"; } > "$dir/faulty.tsv"
printf '%s\n' "姓名编号,姓名,基本工资,绩效工资,工资性津贴和补贴,其他工资" "001,张三,3000,500,,200" \
  "002,李四,2000" > "$dir/wages.csv"
for m in 0 1 2 3; do "$cli" "${d[@]}" roster import --month $m "$dir/roster.tsv" >/dev/null; done

# The month's roster is there but no wage of it: the window's check says nothing, this one does.
expect 1 "" "3月没有与当月人员名册相符的工资数据，无法统计。" -- "$cli" "${d[@]}" report quarterly --quarter 1
for m in 1 2 3; do "$cli" "${d[@]}" wages import --month $m "$dir/wages.csv" >/dev/null; done

# 5 700 yuan a month for three months is 17 thousand; the unit head and the dispatched worker
# earn 11 and 6 of it; two persons on average, one of them directly producing.
expect 0 "32" "" -- bash -c "\"$cli\" ${d[*]} report quarterly --quarter 1 | wc -l"
expect 0 "指标名称	计量单位	代码	本季	1-本季" "" -- line 1 quarterly --quarter 1
expect 0 "从业人员期末人数	人	01	2	-" "" -- line 4 quarterly --quarter 1
expect 0 "其中：单位负责人	人	71	1	-" "" -- line 5 quarterly --quarter 1
expect 0 "从业人员平均人数	人	08	-	2" "" -- line 9 quarterly --quarter 1
expect 0 "从业人员工资总额	千元	12	-	17" "" -- line 14 quarterly --quarter 1
expect 0 "劳务派遣人员	千元	18	-	6" "" -- line 16 quarterly --quarter 1
expect 0 "从业人员平均工资	元	20	-	8500" "" -- line 18 quarterly --quarter 1
expect 0 "   一、直接从事生产经营活动的平均人数(48)   1  人(限规模以上工业和有资质的建筑业法人单位填报)				" "" \
  -- line 24 quarterly --quarter 1

# Both files are written under the work folder; the submission file carries the stored row.
expect 0 "$dir/work/XLS/基础定期报表I202-1_(一季度).xlsx
$dir/work/GZSB/123456789_1_i202.dbf" "" -- bash -c "\"$cli\" ${d[*]} report quarterly --quarter 1 --xlsx --dbf | tail -n 2"
expect 0 '["123456789", 2, 1, 1, 1, 0, 2, 1, 1, 0, 17, 11, 6, 0, 8500, 11000, 6000, 0, 1, 1, null, null, null, "测试厂"]' "" \
  -- /usr/bin/python3 -c "import json,sys; from dbfread import DBF; print(json.dumps(list(list(DBF(sys.argv[1], encoding='cp936'))[0].values()), ensure_ascii=False))" \
  "$dir/work/GZSB/123456789_1_i202.dbf"
expect 0 "基础定期报表" "" -- /usr/bin/python3 -c "import sys, openpyxl; print(openpyxl.load_workbook(sys.argv[1]).sheetnames[0])" \
  "$dir/work/XLS/基础定期报表I202-1_(一季度).xlsx"

# --pdf: the printed pages under the workbook's name, one landscape A4 page with the unit and
# the figures; the lists print theirs alike.
pdf="$dir/work/XLS/基础定期报表I202-1_(一季度).pdf"
# Qt's PDF names a glyph that the CJK fonts share between an ideograph and its Kangxi radical
# (人, ⼈) by the radical; NFKC gives the ideograph back.
pdftext() { pdftotext -layout "$1" - | /usr/bin/python3 -c "import sys, unicodedata; print(unicodedata.normalize('NFKC', sys.stdin.read()))"; }
export -f pdftext
expect 0 "$pdf" "" -- bash -c "\"$cli\" ${d[*]} report quarterly --quarter 1 --pdf | tail -n 1"
expect 0 "Pages:           1
Page size:       842 x 595 pts (A4)" "" -- bash -c "pdfinfo '$pdf' | grep -E '^(Pages|Page size):'"
expect 0 "法人单位代码:123456789" "" -- bash -c "pdftext '$pdf' | grep -o '法人单位代码:123456789'"
expect 0 "$dir/work/XLS/工资发放清单1_3.pdf" "" -- bash -c "\"$cli\" ${d[*]} payout --from 1 --to 3 --pdf | tail -n 1"
expect 0 "$dir/work/XLS/人员变动0_3.pdf" "" -- bash -c "\"$cli\" ${d[*]} roster diff --from 0 --to 3 --pdf | tail -n 1"
expect 0 "$dir/work/XLS/全年概况.pdf" "" -- bash -c "\"$cli\" ${d[*]} overview --pdf | tail -n 1"
expect 0 "[测试厂] 1月 - 3月 的工资发放汇总清单" "" -- bash -c "pdftext '$dir/work/XLS/工资发放清单1_3.pdf' | grep -o '\[测试厂\] 1月 - 3月 的工资发放汇总清单'"

# Records that failed the audit refuse the report, listed by month.
"$cli" "${d[@]}" roster import --month 0 "$dir/faulty.tsv" >/dev/null
"$cli" "${d[@]}" roster import --month 3 "$dir/faulty.tsv" >/dev/null
expect 1 "" "期初中,3月份,有人员数据错误，请纠正。" -- "$cli" "${d[@]}" report quarterly --quarter 1
for m in 0 3; do "$cli" "${d[@]}" roster import --month $m "$dir/roster.tsv" >/dev/null; done
expect 1 "" "无6月工资数据，无法统计。" -- "$cli" "${d[@]}" report quarterly --quarter 2

# Two persons of month 2 share 001: its wages would count twice.
{ cat "$dir/roster.tsv"; printf '%s\n' "张四	001	男	否	否	1980-03	10	2	初中	高级工	无	技师	在岗职工	否				否"; } > "$dir/shared.tsv"
"$cli" "${d[@]}" roster import --month 2 "$dir/shared.tsv" >/dev/null
expect 1 "" "当月人员名册中姓名编号重复，工资会被重复统计：2月[001]。请核实人员名册。" -- "$cli" "${d[@]}" report quarterly --quarter 1
"$cli" "${d[@]}" roster import --month 2 "$dir/roster.tsv" >/dev/null

# The year: December complete, then a December wage over the bound, not yet confirmed.
for m in $(seq 4 12); do
  "$cli" "${d[@]}" roster import --month $m "$dir/roster.tsv" >/dev/null
  "$cli" "${d[@]}" wages import --month $m "$dir/wages.csv" >/dev/null
done
printf '%s\n' "姓名编号,姓名,基本工资" "001,张三,3700" "002,李四,200000" > "$dir/over.csv"
"$cli" "${d[@]}" wages import --month 12 "$dir/over.csv" >/dev/null
expect 1 "" "12月份,有工资数据错误，请纠正。" -- "$cli" "${d[@]}" report annual
"$cli" "${d[@]}" wages import --month 12 "$dir/wages.csv" >/dev/null

expect 0 "52" "" -- bash -c "\"$cli\" ${d[*]} report annual | wc -l"
expect 0 "一、从业人员					其他从业人员	人		0" "" -- line 3 annual
expect 0 "大学本科及以上	人	A01	1		(一)从业人员工资总额	千元		68" "" -- line 12 annual
expect 0 "(二)从业人员平均人数	人	08	2		办事人员和有关人员	元		0" "" -- line 36 annual
expect 0 "$dir/work/XLS/基础定期报表I102-1_123456789.xlsx
$dir/work/GZSB/123456789_i102.dbf" "" -- bash -c "\"$cli\" ${d[*]} report annual --xlsx --dbf | tail -n 2"
expect 0 "73" "" -- /usr/bin/python3 -c "import sys; from dbfread import DBF; print(len(DBF(sys.argv[1]).field_names))" \
  "$dir/work/GZSB/123456789_i102.dbf"
finish
