#!/usr/bin/env bash
# veldrassa-cli as a careless user, a damaged disk and a hostile file meet it: every refusal is a
# message and exit code 1 (2 for a wrong command line), and nothing is written where it should not.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
nodb() { echo "文件夹 $1 中没有数据库（Database/RCdatabase.db）。请检查 --data-dir 是否写对；新的工作文件夹请先运行 init。"; }

# A mistyped folder is named, never filled with a new empty database.
expect 1 "" "$(nodb "$dir/wrok")" -- "$cli" --data-dir "$dir/wrok" roster export --month 0
expect 1 "" "$(nodb "$dir/wrok")" -- "$cli" --data-dir "$dir/wrok" unit set --name 甲厂 --code 123456789
[ ! -e "$dir/wrok" ] || { echo "FAILED: $dir/wrok was created"; failures=$((failures + 1)); }
expect 2 "" "--data-dir 不能为空。" -- "$cli" --data-dir "" init
# A wrong command line is told in the program's words, naming what was typed.
usage() { echo "$1请用 --help 查看这条命令的写法。"; }
expect 2 "" "$(usage "命令行中有多余或不认识的内容：--bogus。")" -- "$cli" "${d[@]}" init --bogus
expect 2 "" "$(usage "缺少 --month。")" -- "$cli" "${d[@]}" roster export
expect 2 "" "$(usage "--month 的值“五月”不是所要求的数。")" -- "$cli" "${d[@]}" roster export --month 五月
expect 2 "" "$(usage "缺少要执行的命令。")" -- "$cli" "${d[@]}" roster
expect 2 "" "$(usage "--quarter 和 --from 不能同时使用。")" -- \
  "$cli" "${d[@]}" report basic-quarterly --quarter 1 --from 1 --to 3
expect 2 "" "$(usage "--from 需要同时给出 --to。")" -- "$cli" "${d[@]}" report basic-quarterly --from 1
expect 0 "$dir/work/Database/RCdatabase.db" "" -- "$cli" "${d[@]}" init
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 >/dev/null

# Output that cannot be written is a failure, not a cut file with exit 0.
expect 1 "" "无法写入标准输出（No space left on device），输出不完整。" -- \
  bash -c "\"$cli\" ${d[*]} roster export --month 0 > /dev/full"
expect 1 "" "" -- bash -c "\"$cli\" ${d[*]} roster export --month 0 >&- 2>/dev/null"

# Files: endless, oversized, with control characters, mixed encodings, or read as told.
expect 1 "" "/dev/zero 不是普通文件（是设备或管道），无法导入。" -- \
  "$cli" "${d[@]}" roster import --month 0 /dev/zero
printf 'h\tk\n张三\t001\t男\n李\0四\t002\t女\n' > "$dir/nul.tsv"
expect 1 "" "第3行第1列含有控制字符 U+0000，请删除后再导入。" -- \
  "$cli" "${d[@]}" roster import --month 0 "$dir/nul.tsv"
{ printf 'h\r\r\n张三,001\r\r\n'; printf '李四,002\n' | iconv -f UTF-8 -t GBK; } > "$dir/mixed.csv"
expect 1 "" "文件混用了两种编码（第2行是UTF-8，第3行是GBK），无法读取。请把文件统一保存为一种编码，或用 --encoding 指定编码。" -- \
  "$cli" "${d[@]}" roster import --month 0 "$dir/mixed.csv"
printf '姓名,姓名编号,性别\n卢莫,001,男\n' | iconv -f UTF-8 -t GBK > "$dir/lookalike.csv"
expect 1 "" "第3行不是UTF-8编码，无法读取。" -- \
  "$cli" "${d[@]}" roster import --month 0 --encoding utf-8 "$dir/mixed.csv"
expect 0 "encoding GBK
line 2: 卢莫: 少数民族, 中共党员, 出生年月, 学历, 岗位名称, 具有国家评定的专业技术等级, 具有国家评定的技能等级, 用工身份, 全日制用工
stored 1 rows, 1 failed" "" -- "$cli" "${d[@]}" roster import --month 0 "$dir/lookalike.csv"
expect 2 "" "$(usage "--encoding 的值不在可选的范围内。")" -- "$cli" "${d[@]}" roster import --month 0 --encoding Latin1 "$dir/lookalike.csv"

# A stored unit code no file may be named after stops every command until it is registered again.
/usr/bin/python3 -c "import sqlite3,sys; c=sqlite3.connect(sys.argv[1]); c.execute(\"UPDATE Dep_Info SET DepNo='../../../outside/victim'\"); c.commit()" \
  "$dir/work/Database/RCdatabase.db"
refusal="数据库 $dir/work/Database/RCdatabase.db 中登记的组织机构代码“../../../outside/victim”不符合规则（应为9位数字或字母），不能使用。请用“veldrassa-cli unit set”重新登记单位。"
expect 1 "" "$refusal" -- "$cli" "${d[@]}" report annual --xlsx --dbf
expect 1 "" "$refusal" -- "$cli" "${d[@]}" unit show
[ ! -e "$dir/outside" ] || { echo "FAILED: $dir/outside was written"; failures=$((failures + 1)); }
expect 0 "保存成功！" "" -- "$cli" "${d[@]}" unit set --name 测试厂 --code 123456789
expect 1 "" "单位名称含有上报文件（GBK编码）无法表示的字符“😀”，请改写。" -- \
  "$cli" "${d[@]}" unit set --name "测试厂😀" --code 123456789

# A damaged database is named, with what to do, and exits like every other failure.
printf 'not a database at all, just text standing where the database was......' > "$dir/work/Database/RCdatabase.db"
expect 1 "" "文件 $dir/work/Database/RCdatabase.db 不是本程序的数据库。请检查工作文件夹是否选对，或从备份还原数据库。" -- \
  "$cli" "${d[@]}" roster export --month 0
finish
