# Shared by the command-line test scripts: run the command and compare what it printed.
set -u
failures=0
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# expect CODE EXPECTED_STDOUT EXPECTED_STDERR -- command...
expect() {
  local code=$1 want_out=$2 want_err=$3
  shift 4
  local out err rc
  out=$("$@" 2>"$dir/err"); rc=$?
  err=$(cat "$dir/err")
  if [ "$rc" != "$code" ] || [ "$out" != "$want_out" ] || [ "$err" != "$want_err" ]; then
    echo "FAILED: $*"
    echo "  exit $rc (wanted $code)"
    echo "  stdout: $out"
    echo "  wanted: $want_out"
    echo "  stderr: $err"
    echo "  wanted: $want_err"
    failures=$((failures + 1))
  fi
}

finish() {
  [ "$failures" -eq 0 ] && echo "all checks passed" || echo "$failures checks failed"
  [ "$failures" -eq 0 ]
}

# The heading rows of our own roster and wage files.
rosterhead=姓名,姓名编号,性别,少数民族,中共党员,出生年月,参加工作年限,其中本岗位年限,学历,岗位名称,专业技术等级,技能等级,用工身份,全日制用工
wagehead=姓名编号,姓名,基本工资,绩效工资,工资性津贴和补贴,其他工资
