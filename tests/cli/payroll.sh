#!/usr/bin/env bash
# veldrassa-cli wages import of the payroll as the finance office sends it: a title row, its own
# headings, the basic wage split in two, allowances, overtime, deductions and net pay, a total
# row, one sheet per department. Matched once with --columns, then every month without.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
"$cli" "${d[@]}" init >/dev/null
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 >/dev/null

# payroll FILE MONTH [EXTRA_HEADING]: 行政部 and 生产部; 钱七 joined on the 27th of the month.
payroll() {
  /usr/bin/python3 - "$@" <<'PY'
import sys, openpyxl
path, month = sys.argv[1], int(sys.argv[2])
extra = sys.argv[3:]
headings = ["序号", "工号", "姓名", "岗位工资", "薪级工资", "交通补贴", "通讯补贴", "高温补贴",
            "加班费", "应发合计", "代扣个税", "社保个人部分", "公积金个人部分", "实发工资"] + extra
departments = {
    "行政部": [("1001", "张伟", 3000, 554.48, 300, 200, 309.18, 4011.39, 120, 800, 600),
               ("1002", "李娜", 2000 + month, None, None, None, None, None, 0, 200, 150)],
    "生产部": [("2001", "赵六", 2500, 300.5, 300, 200, None, 600.0, 35.2, 420.66, 300),
               ("2002", "钱七", 400, None, None, None, None, None, 0, 0, 0)],
}
book = openpyxl.Workbook()
book.remove(book.active)
for name, people in departments.items():
    sheet = book.create_sheet(name)
    sheet.append([f"测试厂2026年{month}月工资表（{name}）"])
    sheet.merge_cells(start_row=1, start_column=1, end_row=1, end_column=len(headings))
    sheet.append(headings)
    sums = [0.0] * 12
    for i, p in enumerate(people, 1):
        gross = round(sum(x or 0 for x in p[2:8]), 2)
        net = round(gross - sum(p[8:11]), 2)
        row = [p[2], p[3], p[4], p[5], p[6], p[7], gross, p[8], p[9], p[10], net]
        sheet.append([i, p[0], p[1]] + row)
        sums = [s + (x or 0) for s, x in zip(sums, row)]
    sheet.append(["合计", None, None] + [round(s, 2) for s in sums[:11]])
book.save(path)
PY
}
payroll "$dir/jan.xlsx" 1
payroll "$dir/feb.xlsx" 2
payroll "$dir/mar.xlsx" 3 备注
person() { echo "$1,$2,男,否,否,1970-01,10,5,大学专科,管理人员,无,无,在岗职工,是"; }
{ echo "$rosterhead"; person 张伟 1001; person 李娜 1002; person 赵六 2001; person 钱七 2002; } \
  > "$dir/roster.csv"
for m in 1 2 3; do "$cli" "${d[@]}" roster import --month $m "$dir/roster.csv" >/dev/null; done
matching='姓名编号=工号;姓名=姓名;基本工资=岗位工资+薪级工资;工资性津贴和补贴=交通补贴+通讯补贴+高温补贴;其他工资=加班费'
found='文件的栏目：序号 工号 姓名 岗位工资 薪级工资 交通补贴 通讯补贴 高温补贴 加班费 应发合计 代扣个税 社保个人部分 公积金个人部分 实发工资'

# The first time nothing is taken on trust: the headings found and a matching to check.
expect 1 "workbook xlsx" "文件的栏目与本系统的不同，请用 --columns 指定各栏的对应关系。
$found
建议（请核对后使用）：--columns '$matching'" -- "$cli" "${d[@]}" wages import --month 1 "$dir/jan.xlsx"
expect 1 "workbook xlsx" "“实发工资”是扣款、实发数或合计，不是应发工资的一部分，不能计入“其他工资”。" -- \
  "$cli" "${d[@]}" wages import --month 1 "$dir/jan.xlsx" --columns "$matching+实发工资"
expect 0 "" "没有保存的栏目对应关系。" -- "$cli" "${d[@]}" wages columns

# Both departments as one month; each 合计 the sheet's 应发合计; the total rows skipped.
expect 0 "workbook xlsx
工资总额超出额定范围：
上限不超过100000,下限不低于500.
请到[显示错误]中核实！
stored 4 rows, 1 flagged, 2 skipped, sheets 行政部、生产部" "" -- \
  "$cli" "${d[@]}" wages import --month 1 "$dir/jan.xlsx" --columns "$matching"
expect 0 "姓名编号	姓名	基本工资	绩效工资	工资性津贴和补贴	其他工资	合计	sFlag	wFlag
1001	张伟	3554.48		809.18	4011.39	8375.05	1	1
1002	李娜	2001				2001	1	1
2001	赵六	2800.5		500	600	3900.5	1	1
2002	钱七	400				400	1	0" "" -- "$cli" "${d[@]}" wages export --month 1
expect 0 "$matching	${found#文件的栏目：}" "" -- "$cli" "${d[@]}" wages columns
"$cli" "${d[@]}" wages confirm --month 1 2002 >/dev/null

# Next month's file has the same headings: no option needed.
expect 0 "stored 4 rows, 1 flagged, 2 skipped, sheets 行政部、生产部" "" -- \
  bash -c "\"$cli\" ${d[*]} wages import --month 2 \"$dir/feb.xlsx\" | tail -1"
expect 0 "李娜	2002" "" -- bash -c "\"$cli\" ${d[*]} wages export --month 2 | grep 1002 | cut -f2,3"
"$cli" "${d[@]}" wages confirm --month 2 2002 >/dev/null

# One sheet by name; a person in two sheets is refused as a repeated person is.
expect 0 "stored 2 rows, 0 flagged, 1 skipped" "" -- \
  bash -c "\"$cli\" ${d[*]} wages import --month 2 \"$dir/feb.xlsx\" --sheet 行政部 | tail -1"
expect 1 "" "工作簿中没有名为“财务部”的工作表。现有的工作表：行政部、生产部" -- \
  "$cli" "${d[@]}" wages import --month 2 "$dir/feb.xlsx" --sheet 财务部
/usr/bin/python3 - "$dir/feb.xlsx" <<'PY'
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
book["生产部"]["B3"] = "1002"
book["生产部"]["C3"] = "李娜"
book.save(sys.argv[1])
PY
expect 1 "workbook xlsx" "第3行与第4行的姓名编号都是1002，一人一月只能有一行工资，请合并或改正。
本月工资未作任何改动。" -- "$cli" "${d[@]}" wages import --month 2 "$dir/feb.xlsx"

# Other headings ask again.
expect 1 "workbook xlsx" "文件的栏目与本系统的不同，请用 --columns 指定各栏的对应关系。
$found 备注
建议（请核对后使用）：--columns '$matching'" -- "$cli" "${d[@]}" wages import --month 3 "$dir/mar.xlsx"
finish
