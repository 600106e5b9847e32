#!/usr/bin/env bash
# veldrassa-cli wages import / export and payout: a clerk's wage file in, flags and lists out.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
"$cli" "${d[@]}" init >/dev/null
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 >/dev/null
printf '姓名编号,姓名,基本工资,绩效工资,工资性津贴和补贴,其他工资\n001,张三,3000\n' > "$dir/one.csv"

expect 1 "" "文件夹 $dir/none 中没有数据库（Database/RCdatabase.db）。请检查 --data-dir 是否写对；新的工作文件夹请先运行 init。" -- "$cli" --data-dir "$dir/none" wages import --month 1 "$dir/one.csv"
expect 1 "" "月份必须是1到12。" -- "$cli" "${d[@]}" wages import --month 13 "$dir/one.csv"
expect 1 "" "必须先核实1月名单！" -- "$cli" "${d[@]}" wages import --month 1 "$dir/one.csv"
expect 1 "" "没有输入月工资信息！" -- "$cli" "${d[@]}" payout --from 1 --to 1

printf '%s\n' "姓名	姓名编号" "张三	001" "李四	002" "王五	003" > "$dir/roster.tsv"
"$cli" "${d[@]}" roster import --month 1 "$dir/roster.tsv" >/dev/null

# GBK, comma-separated: a blank inside a name, a number not in the roster, a name the roster
# does not give that number, a total over the bound, a row without a number.
printf '%s\n' "姓名编号,姓名,基本工资,绩效工资,工资性津贴和补贴,其他工资" \
  "001,张 三,3000,500,,200" "009,赵六,3000" "002,李五,3000" "003,王五,90000,10000.5" ",孙七,3000" \
  | iconv -f UTF-8 -t GBK > "$dir/month1.csv"
expect 0 "encoding GBK
以下：
[009] [002] 
姓名编号或姓名不在当月名单中或姓名编号有重复，
请核实当月人员名册和工资输入表人员信息。
工资总额超出额定范围：
上限不超过100000,下限不低于500.
请到[显示错误]中核实！
以下行没有姓名编号，未存储：
第6行（孙七）
stored 4 rows, 3 flagged" "" -- "$cli" "${d[@]}" wages import --month 1 "$dir/month1.csv"

exported="姓名编号	姓名	基本工资	绩效工资	工资性津贴和补贴	其他工资	合计	sFlag	wFlag
001	张三	3000	500		200	3700	1	1
009	赵六	3000				3000	0	1
002	李五	3000				3000	0	1
003	王五	90000	10000.5			100000.5	1	0"
expect 0 "$exported" "" -- "$cli" "${d[@]}" wages export --month 1

# A cell that is no number refuses the whole file: the stored month stays as it was.
printf '%s\n' "$wagehead" "001,张三,3000" "002,李四,abc" > "$dir/bad.csv"
expect 1 "encoding UTF-8" "第3行“基本工资”不是数字：abc
本月工资未作任何改动。" -- "$cli" "${d[@]}" wages import --month 1 "$dir/bad.csv"
# Under a title and an empty line the messages still name the file's lines.
printf '%s\n' "3月工资表" "" "$wagehead" "001,张三,3000" "002,李四,abc" "001,张三,500" > "$dir/titled.csv"
expect 1 "encoding UTF-8" "第5行“基本工资”不是数字：abc
第4行与第6行的姓名编号都是001，一人一月只能有一行工资，请合并或改正。
本月工资未作任何改动。" -- "$cli" "${d[@]}" wages import --month 1 "$dir/titled.csv"
printf '%s\n' "$wagehead" "001,张三,3000,,,,x" > "$dir/wide.csv"
expect 1 "encoding UTF-8" "第2行有7列，多于工资表的6列。" -- "$cli" "${d[@]}" wages import --month 1 "$dir/wide.csv"
printf '%s\n' "$wagehead" "001,张三,3000" "002,李四,3000" "001,张三,500" > "$dir/twice.csv"
expect 1 "encoding UTF-8" "第2行与第4行的姓名编号都是001，一人一月只能有一行工资，请合并或改正。
本月工资未作任何改动。" -- "$cli" "${d[@]}" wages import --month 1 "$dir/twice.csv"
echo "$wagehead" > "$dir/empty.csv"
expect 1 "encoding UTF-8" "文件中没有工资数据。" -- "$cli" "${d[@]}" wages import --month 1 "$dir/empty.csv"
expect 0 "$exported" "" -- "$cli" "${d[@]}" wages export --month 1

# Month 2 waits for month 1 to pass the audit, wages first, then staff; month 3 is not open yet.
expect 1 "" "必须先核实1月[工资]数据，否则无法进行本月操作！
必须先核实1月[人员]数据，否则无法进行本月操作！" -- "$cli" "${d[@]}" wages import --month 2 "$dir/one.csv"
expect 1 "" "3月工资过录表未开放。" -- "$cli" "${d[@]}" wages import --month 3 "$dir/one.csv"

# The list counts wages as the forms do: 赵六's number is not on January's roster.
expect 0 "姓名	编号	1月	2月	3月	4月	5月	6月 	7月	8月	9月	10月	11月	12月	合计
张三	001	3700												3700
李五	002	3000												3000
王五	003	100000.5												100000.5
													总计：	106700.5" "" -- "$cli" "${d[@]}" payout --from 1 --to 12
expect 1 "" "开始、截止月份错误!" -- "$cli" "${d[@]}" payout --from 2 --to 1
# The checks run inside the store's write: a roster another program clears while the import
# waits for the database is seen, and no wages are stored for a month without a roster.
r=(--data-dir "$dir/race")
"$cli" "${r[@]}" init >/dev/null
"$cli" "${r[@]}" unit set --name 测试厂 --code 123456789 >/dev/null
"$cli" "${r[@]}" roster import --month 1 "$dir/roster.tsv" >/dev/null
/usr/bin/python3 - "$dir/race/Database/RCdatabase.db" "$dir/clearing" <<'PY' &
import pathlib, sqlite3, sys, time
db = sqlite3.connect(sys.argv[1], isolation_level=None, timeout=10)
db.execute("BEGIN IMMEDIATE")
db.execute("DELETE FROM Staff_moninfo WHERE sMon = 1")
pathlib.Path(sys.argv[2]).touch()
time.sleep(1)
db.execute("COMMIT")
PY
until [ -e "$dir/clearing" ]; do sleep 0.05; done
expect 1 "" "必须先核实1月名单！" -- "$cli" "${r[@]}" wages import --month 1 "$dir/one.csv"
wait
expect 0 "0" "" -- /usr/bin/python3 -c "import sqlite3, sys; print(sqlite3.connect(sys.argv[1]).execute('SELECT COUNT(*) FROM Wage_Info').fetchone()[0])" \
  "$dir/race/Database/RCdatabase.db"

"$cli" --data-dir "$dir/fresh" init >/dev/null
expect 1 "" "请先填写单位基本信息。" -- "$cli" --data-dir "$dir/fresh" payout --from 1 --to 1
finish
