#!/usr/bin/env bash
# veldrassa-cli report wage-summary: the chooser's and the range's checks, recomputed and stored
# or shown from the range's copy, the workbook and, for 1–6, 1–12 and 6–12, the submission file.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
summary() {
  "$cli" "${d[@]}" report wage-summary "$@"
}
line() {  # line N of the summary's output
  local n=$1
  shift
  summary "$@" | sed -n "${n}p"
}

expect 1 "" "文件夹 $dir/none 中没有数据库（Database/RCdatabase.db）。请检查 --data-dir 是否写对；新的工作文件夹请先运行 init。" -- "$cli" --data-dir "$dir/none" report wage-summary --from 1 --to 6
"$cli" "${d[@]}" init >/dev/null
expect 1 "" "请先填写单位基本信息！" -- summary --from 1 --to 6
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 >/dev/null
expect 1 "" "没有输入月工资信息！" -- summary --from 1 --to 6

header='姓名	姓名编号	性别	少数民族	中共党员	出生年月	参加工作年限	其中本岗位年限	学历	岗位名称	专业技术等级	技能等级	用工身份	全日制用工	工程技术人员	一级建造师	现场施工人员	是否直接从事生产经营活动'
{
  echo "$header"
  printf '%s\n' "张三	001	男	否	是	1967-05	20	5	大学本科	单位负责人	无	无	在岗职工	是				是"
  printf '%s\n' "李四	002	女	否	否	1980-03	10	2	大学专科	高级工	无	技师	劳务派遣人员	否				否"
} > "$dir/roster.tsv"
printf '%s\n' "姓名编号,姓名,基本工资,绩效工资,工资性津贴和补贴,其他工资" "001,张三,3000,500,,200" \
  "002,李四,2000" > "$dir/wages.csv"
"$cli" "${d[@]}" roster import --month 0 "$dir/roster.tsv" >/dev/null
for m in 1 2 3 4 5 6; do
  "$cli" "${d[@]}" roster import --month $m "$dir/roster.tsv" >/dev/null
  "$cli" "${d[@]}" wages import --month $m "$dir/wages.csv" >/dev/null
done

for range in "3 2" "x 6" "0 6" "1 13"; do
  set -- $range
  expect 1 "" "开始、截止月份错误!" -- summary --from "$1" --to "$2"
done
expect 1 "" "没有保存1月至6月的汇总数据，请重新汇总。" -- summary --from 1 --to 6 --reuse
expect 1 "" "只有1-6月、1-12月和6-12月的汇总可以生成上报文件。" -- summary --from 2 --to 6 --dbf

# Two persons in June, 5 700 yuan a month for six months: 34 thousand, 22 of them the unit head's.
expect 0 "43" "" -- bash -c "\"$cli\" ${d[*]} report wage-summary --from 1 --to 6 | wc -l"
expect 0 "	代码					学历状况						" "" -- line 1 --from 1 --to 6
expect 0 "合计	1	2	1	1	——	0	1	1	0	0	2	34" "" -- line 4 --from 1 --to 6
expect 0 "一、企业事业单位负责人	2	1	0	0	——	0	1	0	0	0	1	22" "" -- line 5 --from 1 --to 6
# 李四 has no title but the skill grade 技师, so the qualified column counts her.
expect 0 "四、技术岗位操作人员	29	1	1	1	1	0	0	1	0	0	1	12" "" -- line 32 --from 1 --to 6
expect 0 "$dir/work/XLS/工资1_6.xlsx
$dir/work/GZSB/123456789_i704.dbf" "" -- bash -c "\"$cli\" ${d[*]} report wage-summary --from 1 --to 6 --xlsx --dbf | tail -n 2"
expect 0 "40 34" "" -- /usr/bin/python3 -c "import sys; from dbfread import DBF; r = list(DBF(sys.argv[1])); print(len(r), r[0]['G21'])" \
  "$dir/work/GZSB/123456789_i704.dbf"
expect 0 "人员基本信息 企业事业单位工资情况汇总表" "" -- /usr/bin/python3 -c "import sys, openpyxl; ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]; print(ws.title, ws['A1'].value)" \
  "$dir/work/XLS/工资1_6.xlsx"

# The stored copy, shown without computing: an empty qualified count reads "--".
expect 0 "合计	1	2	1	1	--	0	1	1	0	0	2	34" "" -- line 4 --from 1 --to 6 --reuse

# Two persons of month 2 share 001, whose wages would count twice.
{ cat "$dir/roster.tsv"; printf '%s\n' "张四	001	男	否	否	1980-03	10	2	初中	高级工	无	技师	在岗职工	否				否"; } > "$dir/shared.tsv"
"$cli" "${d[@]}" roster import --month 2 "$dir/shared.tsv" >/dev/null
expect 1 "" "当月人员名册中姓名编号重复，工资会被重复统计：2月[001]。请核实人员名册。" -- summary --from 3 --to 6
expect 0 "43" "" -- bash -c "\"$cli\" ${d[*]} report wage-summary --from 4 --to 6 | wc -l"
"$cli" "${d[@]}" roster import --month 2 "$dir/roster.tsv" >/dev/null

# Records that failed the audit refuse the summary before the chooser.
{ cat "$dir/roster.tsv"; printf '%s\n' "王五	003	男	否	否	1980-03	10	2	博士	高级工	无	技师	在岗职工	否				否"; } > "$dir/faulty.tsv"
"$cli" "${d[@]}" roster import --month 3 "$dir/faulty.tsv" >/dev/null
expect 1 "" "3月度,人员有错误信息，请核对。" -- summary --from 1 --to 6
"$cli" "${d[@]}" roster import --month 3 "$dir/roster.tsv" >/dev/null

# A government organ gets its own form of 21 rows.
"$cli" "${d[@]}" unit set --name 测试局 --code 123456789 --type 机关单位 >/dev/null
expect 0 "24" "" -- bash -c "\"$cli\" ${d[*]} report wage-summary --from 1 --to 6 | wc -l"
expect 0 "$dir/work/GZSB/123456789_i705.dbf" "" -- bash -c "\"$cli\" ${d[*]} report wage-summary --from 1 --to 12 --dbf 2>&1 | tail -n 1"

# Every part at the accepted limit, 2,000 persons for twelve months: the year's sum no longer fits,
# and the summary refuses as the annual report does instead of printing a wrapped-round figure.
"$cli" --data-dir "$dir/huge" init >/dev/null
"$cli" --data-dir "$dir/huge" unit set --name 测试厂 --code 123456789 >/dev/null
/usr/bin/python3 - "$dir/huge/Database/RCdatabase.db" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
for m in range(0, 13):
    for n in range(2000):
        db.execute("INSERT INTO Staff_moninfo (sName, sNumber, sSex, sEducation, sPost, sIsok, sMon)"
                   " VALUES (?, ?, 1, 3, 64, '1', ?)", ("张%d" % n, "%04d" % n, m))
        if m:
            db.execute("INSERT INTO Wage_Info (sNumber, sName, sMon, sN1, sN2, sN3, sN4, sTotal,"
                       " sFlag, wFlag) VALUES (?, ?, ?, 1e8, 1e8, 1e8, 1e8, 4e8, '1', '1')",
                       ("%04d" % n, "张%d" % n, m))
db.commit()
PY
expect 1 "" "合计超出可计算的范围，请核实工资数据。" -- "$cli" --data-dir "$dir/huge" report wage-summary --from 1 --to 12
expect 1 "" "合计超出可计算的范围，请核实工资数据。" -- "$cli" --data-dir "$dir/huge" report annual
finish
