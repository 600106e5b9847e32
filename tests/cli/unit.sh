#!/usr/bin/env bash
# veldrassa-cli init / unit set / unit show as a script would use them.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")

expect 0 "$dir/work/Database/RCdatabase.db" "" -- "$cli" "${d[@]}" init
expect 1 "" "请先填写单位基本信息！" -- "$cli" "${d[@]}" unit show
expect 1 "" "非法字符" -- "$cli" "${d[@]}" unit set --name 甲厂 --code "1234-678x"
expect 1 "" "请确认单位名称或法人代码是否填写正确！" -- "$cli" "${d[@]}" unit set --name " " --code 12345678x
expect 1 "" "机关单位，不可能是资质建筑业单位！" -- "$cli" "${d[@]}" unit set --name 甲局 --code 123456789 --type 机关单位 --class 是1
expect 1 "" "请输入创办月份。" -- "$cli" "${d[@]}" unit set --name 甲厂 --code 123456789 --founded 13
expect 1 "" "请先填写单位基本信息！" -- "$cli" "${d[@]}" unit show

expect 0 "保存成功！" "" -- "$cli" "${d[@]}" unit set --name "甲'厂" --code 12345678x --class 是2
expect 0 "DepNo=12345678X
DepName=甲'厂
DepType=企业事业单位
DepInfo=是2
CreateMon=99" "" -- "$cli" "${d[@]}" unit show

# A change needs no question and rewrites the row.
expect 0 "保存成功！" "" -- "$cli" "${d[@]}" unit set --name 乙局 --code ABCDEFGH1 --type 机关单位 --founded 3
expect 0 "DepNo=ABCDEFGH1
DepName=乙局
DepType=机关单位
DepInfo=否
CreateMon=2" "" -- "$cli" "${d[@]}" unit show

# The environment names the work folder when the option does not.
expect 0 "$dir/env/Database/RCdatabase.db" "" -- env VELDRASSA_DATA_DIR="$dir/env" "$cli" init
finish
