#!/usr/bin/env bash
# veldrassa-cli unit list: the units the window has opened, from the user's configuration.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
export XDG_CONFIG_HOME="$dir/config"

expect 0 "" "" -- "$cli" unit list
mkdir -p "$dir/config/veldrassa"
cat > "$dir/config/veldrassa/units.json" <<'JSON'
[{"folder": "/srv/a", "code": "11111111A", "name": "甲厂", "type": "企业事业单位", "class": "否",
  "lastOpened": "2026-03-01T09:30:00"},
 {"folder": "/srv/b", "code": "", "name": "", "type": "", "class": "",
  "lastOpened": "2026-04-02T10:00:00"}]
JSON
expect 0 "$(printf '\t\t\t\t/srv/b\t2026-04-02 10:00\n11111111A\t甲厂\t企业事业单位\t否\t/srv/a\t2026-03-01 09:30')" "" -- "$cli" unit list
# A list that is no list is put aside once; a pipe in its place hangs nothing.
echo '{' > "$dir/config/veldrassa/units.json"
list="$dir/config/veldrassa/units.json"
expect 1 "" "单位列表 $list 已损坏（或不是普通文件、超过1 MB），已改名为 $list.bad-$(date +%F) 留存；单位列表重新开始记录。" -- "$cli" unit list
expect 0 "" "" -- "$cli" unit list
mkfifo "$list"
expect 1 "" "单位列表 $list 已损坏（或不是普通文件、超过1 MB），已改名为 $list.bad-$(date +%F)-2 留存；单位列表重新开始记录。" -- timeout 10 "$cli" unit list
finish
