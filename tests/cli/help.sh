#!/usr/bin/env bash
# veldrassa-cli help: the documents built into the program, without a work folder.
cli=$1
source "$(dirname "$0")/CliAssert.bash"
export VELDRASSA_DATA_DIR="$dir/nowhere"

expect 0 "$(printf 'manual\t系统使用说明\nindicators\t填写说明及指标解释\nmessages\t提示信息说明\nchecks\t审核规则')" "" -- "$cli" help
for id in manual indicators messages checks; do
  "$cli" help "$id" > "$dir/$id.md" 2> "$dir/err"
  rc=$?
  if [ "$rc" != 0 ] || ! head -1 "$dir/$id.md" | grep -q '^# ' || grep -q '<!-- 生成:' "$dir/$id.md" \
     || [ -s "$dir/err" ]; then
    echo "FAILED: help $id (exit $rc)"; cat "$dir/err"; failures=$((failures + 1))
  fi
done
# The rules' document is written from the rule table: every rule, with its limits.
grep -q '^### W01 月人数变动大（警告）$' "$dir/checks.md" && grep -q '变动达到上月人数的 10% 且达到 5 人' "$dir/checks.md" \
  || { echo "FAILED: help checks lacks W01 and its limits"; failures=$((failures + 1)); }
[ -e "$dir/nowhere" ] && { echo "FAILED: help made a work folder"; failures=$((failures + 1)); }
out=$("$cli" help nosuch 2>&1); rc=$?
[ "$rc" = 2 ] || { echo "FAILED: help nosuch exit $rc (wanted 2)"; failures=$((failures + 1)); }
"$cli" help manual > /dev/full 2> "$dir/err"
[ $? = 1 ] || { echo "FAILED: help into a full disk did not fail"; failures=$((failures + 1)); }
finish
