#!/usr/bin/env bash
# veldrassa-cli backup, restore, reset, clear and import-history.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
"$cli" "${d[@]}" init >/dev/null
count() { sqlite3 "$dir/work/Database/RCdatabase.db" "$1"; }

expect 0 "BAK Database ERROR GZSB RCSB XLS" "" -- bash -c "cd '$dir/work' && echo \$(ls -d */ | tr -d /)"
expect 1 "" "请先填写单位基本信息！" -- "$cli" "${d[@]}" backup
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 >/dev/null
expect 0 "备份成功，备份在：$dir/work/BAK/first.db" "" -- "$cli" "${d[@]}" backup "$dir/work/BAK/first.db"
printf '%s\n' "姓名	姓名编号" "张三	001" "李四	002" > "$dir/roster.tsv"
for m in 0 1 2; do "$cli" "${d[@]}" roster import --month $m "$dir/roster.tsv" >/dev/null; done
printf '姓名编号,姓名,基本工资\n001,张三,3000\n002,李四,3000\n' > "$dir/wages.csv"
"$cli" "${d[@]}" wages import --month 1 "$dir/wages.csv" >/dev/null

expect 0 "备份成功，备份在：$dir/work/BAK/123456789.db" "" -- "$cli" "${d[@]}" backup
expect 0 "备份成功，备份在：$dir/copy.db" "" -- "$cli" "${d[@]}" backup "$dir/copy.db"

# A backup replaces only a regular file, and only when told to; never a device or the database.
expect 1 "" "文件 $dir/copy.db 已存在，是否用这次备份替换它？
加 --yes 确认后执行。" -- "$cli" "${d[@]}" backup "$dir/copy.db"
expect 0 "备份成功，备份在：$dir/copy.db" "" -- "$cli" "${d[@]}" backup --yes "$dir/copy.db"
expect 1 "" "/dev/null 不是普通文件（是设备或管道），不能用作备份文件。" -- "$cli" "${d[@]}" backup --yes /dev/null
expect 0 "character special file" "" -- stat -c %F /dev/null
ln "$dir/work/Database/RCdatabase.db" "$dir/link.db"
expect 1 "" "$dir/link.db 就是正在使用的数据库，不能用作备份文件。请另选位置。" -- "$cli" "${d[@]}" backup --yes "$dir/link.db"
rm "$dir/link.db"

# Clears ask first; months go from the last one backwards.
expect 1 "" "请慎重处理，一旦清空，无法恢复！
加 --yes 确认后执行。" -- "$cli" "${d[@]}" clear wages
expect 1 "" "只能清空最后输入的月份（2月），请从最后一个月往前清空。" -- \
  "$cli" "${d[@]}" clear monthly-staff --month 1 --yes
expect 1 "" "清空的内容必须是 opening、staff、monthly-staff 或 wages。" -- "$cli" "${d[@]}" clear all --yes
expect 0 "成功清空 2 月份数据！" "" -- "$cli" "${d[@]}" clear monthly-staff --month 2 --yes
expect 0 "成功清空 1 月份工资数据！" "" -- "$cli" "${d[@]}" clear wages --month 1 --yes
expect 0 "2|2|0" "" -- count "SELECT COUNT(*) FILTER (WHERE sMon = 0), COUNT(*) FILTER (WHERE sMon = 1), (SELECT COUNT(*) FROM Wage_Info) FROM Staff_moninfo"
expect 0 "成功清空！" "" -- "$cli" "${d[@]}" clear staff --yes
expect 1 "" "没有月度工资数据！" -- "$cli" "${d[@]}" clear wages --yes
expect 0 "成功清空。" "" -- "$cli" "${d[@]}" clear opening --yes
expect 0 "0" "" -- count "SELECT COUNT(*) FROM Staff_moninfo"

# Restore refuses what is no backup, and brings a backup back whole.
printf 'text\n' > "$dir/text.db"
expect 1 "" "不是数据库文件，无法还原：$dir/text.db" -- "$cli" "${d[@]}" restore "$dir/text.db"
out=$("$cli" "${d[@]}" restore --yes "$dir/copy.db"); rc=$?
[ $rc -eq 0 ] && [[ "$out" == 还原成功，原有数据已保存在：$dir/work/BAK/before-restore-*.db ]] \
  || { echo "FAILED: restore: $rc $out"; failures=$((failures + 1)); }
expect 0 "6|2" "" -- count "SELECT COUNT(*), (SELECT COUNT(*) FROM Wage_Info) FROM Staff_moninfo"

# History: the folder just backed up from stands in for an earlier installation.
mkdir -p "$dir/old/Database" && cp "$dir/copy.db" "$dir/old/Database/RCdatabase.db"
sqlite3 "$dir/old/Database/RCdatabase.db" "UPDATE Staff_moninfo SET sMon = 12 WHERE sMon = 2"
expect 1 "" "路径选择错误，请核对。" -- "$cli" "${d[@]}" import-history --from "$dir" --option 2
expect 1 "" "已有期初数据，是否继续导入？
加 --yes 确认后执行。" -- "$cli" "${d[@]}" import-history --from "$dir/old" --option 2

expect 1 "" "系统数据将清空，必须重启系统才生效，请确认！
确认按[Yes],不确认按[No]
加 --yes 确认后执行。" -- "$cli" "${d[@]}" reset
out=$("$cli" "${d[@]}" reset --yes); rc=$?
[ $rc -eq 0 ] && [[ "$out" == 系统已初始化，原有数据已保存在：$dir/work/BAK/before-init-*.db ]] \
  || { echo "FAILED: reset: $rc $out"; failures=$((failures + 1)); }
expect 0 "0" "" -- count "SELECT COUNT(*) FROM Dep_Info"

# The rows are coded with this unit's rules: a unit first, and another unit's rows only on a Yes.
expect 1 "" "请先填写单位基本信息！" -- "$cli" "${d[@]}" import-history --from "$dir/old" --option 5
"$cli" "${d[@]}" unit set --name 新厂 --code 987654321 >/dev/null
expect 1 "" "没有月度人员数据，请先导入月度人员数据。" -- \
  "$cli" "${d[@]}" import-history --from "$dir/old" --option 4
expect 1 "" "原系统数据属于另一个单位：
原系统：测试厂（123456789，企业事业单位）
本单位：新厂（987654321，企业事业单位）
是否仍要导入？
加 --yes 确认后执行。" -- "$cli" "${d[@]}" import-history --from "$dir/old" --option 5
# A failed import changes nothing and exits 1, as every refusal does.
sqlite3 "$dir/work/Database/RCdatabase.db" "CREATE TRIGGER refuse BEFORE INSERT ON Wage_Info BEGIN SELECT RAISE(ABORT, 'refused'); END"
expect 1 "" "数据库文件 $dir/work/Database/RCdatabase.db 出错：refused
本次导入未作任何改动。" -- "$cli" "${d[@]}" import-history --yes --from "$dir/old" --option 5
sqlite3 "$dir/work/Database/RCdatabase.db" "DROP TRIGGER refuse"
# A row no clerk could type is left out and named.
sqlite3 "$dir/old/Database/RCdatabase.db" "INSERT INTO Wage_Info (sNumber, sName, sMon, sN1) VALUES ('001', '张三', 99, 3000)"
expect 0 "导入完成，共4条月度人员记录。
导入完成，共2条工资记录。" "另有1条记录不符合本系统的要求，未导入：
原系统工资记录第1条（张三）：月份“99”不在1到12之间" -- "$cli" "${d[@]}" import-history --yes --from "$dir/old" --option 5
expect 0 "导入完成，共2条记录。" "" -- "$cli" "${d[@]}" import-history --yes --from "$dir/old" --option 1
expect 0 "2|4|2" "" -- count "SELECT COUNT(*) FILTER (WHERE sMon = 0), COUNT(*) FILTER (WHERE sMon > 0), (SELECT COUNT(*) FROM Wage_Info) FROM Staff_moninfo"

# The earlier program's Access database; a damaged one is refused with nothing imported and
# nothing of the reading library's own output.
fixtures=${2:-$(dirname "$0")/../fixtures}/predecessor
mkdir -p "$dir/access/DATABASE" "$dir/damaged/database"
cp "$fixtures/good/Database/RCdatabase.mdb" "$dir/access/DATABASE/rcdatabase.MDB"
cp "$fixtures/truncated/Database/RCdatabase.mdb" "$dir/damaged/database/RCdatabase.mdb"
"$cli" "${d[@]}" reset --yes >/dev/null
"$cli" "${d[@]}" unit set --name 测试建筑工程有限公司 --code 123456789 --class 是1 >/dev/null
expect 1 "" "原系统数据库已损坏或不是Access数据库文件，无法读取：$dir/damaged/database/RCdatabase.mdb" -- \
  "$cli" "${d[@]}" import-history --yes --from "$dir/damaged" --option 5
expect 0 "0|0" "" -- count "SELECT COUNT(*), (SELECT COUNT(*) FROM Wage_Info) FROM Staff_moninfo"
expect 0 "导入完成，共40条月度人员记录。
导入完成，共41条工资记录。" "" -- "$cli" "${d[@]}" import-history --yes --from "$dir/access" --option 5
expect 0 "99.99" "" -- count "SELECT sN4 FROM Wage_Info WHERE sNumber = '1004' AND sMon = 1"
finish
