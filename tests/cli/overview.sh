#!/usr/bin/env bash
# veldrassa-cli overview: the thirteen months at a glance.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
d=(--data-dir "$dir/work")
"$cli" "${d[@]}" init >/dev/null
"$cli" "${d[@]}" unit set --name 测试厂 --code 123456789 >/dev/null

person() { echo "$1,$2,男,否,否,1970-01,10,5,大学专科,管理人员,无,无,$3,是"; }
{ echo "$rosterhead"; person 张三 001 在岗职工; person 李四 002 劳务派遣人员; } > "$dir/roster.csv"
"$cli" "${d[@]}" roster import --month 0 "$dir/roster.csv" >/dev/null
"$cli" "${d[@]}" roster import --month 1 "$dir/roster.csv" >/dev/null
printf '%s\n' "$wagehead" "001,张三,3000,500" "002,李四,200" > "$dir/wages.csv"
"$cli" "${d[@]}" wages import --month 1 "$dir/wages.csv" >/dev/null

expect 0 "$(printf '期初\t2\t1\t1\t0\t\t\t\t\t\t0\t0\t\t')" "" -- bash -c "\"$cli\" ${d[*]} overview | sed -n 2p"
expect 0 "$(printf '1月\t2\t1\t1\t0\t3200\t500\t0\t0\t3700\t0\t1\t\t')" "" -- bash -c "\"$cli\" ${d[*]} overview | sed -n 3p"
expect 0 "14" "" -- bash -c "\"$cli\" ${d[*]} overview | wc -l"

# A submitted quarter counts as submitted only while its file holds what the records give.
q=(--data-dir "$dir/quarter")
"$cli" "${q[@]}" init >/dev/null
"$cli" "${q[@]}" unit set --name 测试厂 --code 123456789 >/dev/null
printf '%s\n' "$wagehead" "001,张三,3000,500" "002,李四,2800" > "$dir/good.csv"
for m in 0 1 2 3; do "$cli" "${q[@]}" roster import --month $m "$dir/roster.csv" >/dev/null; done
for m in 1 2 3; do "$cli" "${q[@]}" wages import --month $m "$dir/good.csv" >/dev/null; done
"$cli" "${q[@]}" report quarterly --quarter 1 --dbf >/dev/null
march() { "$cli" "${q[@]}" overview | sed -n 5p | cut -f 13-; }
expect 0 "$(printf 'I202-1\t')" "" -- march
"$cli" "${q[@]}" reset --yes >/dev/null
"$cli" "${q[@]}" unit set --name 测试厂 --code 123456789 >/dev/null
expect 0 "$(printf '\tI202-1')" "" -- march
finish
