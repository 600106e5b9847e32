#!/usr/bin/env bash
# The speed figures against their goals, on a 16,000-person unit: builds the benchmarks in
# release mode into build-release/, runs them, and prints one line per figure with its ratio or
# time and its goal. Figures are for reading, not a test: the machine's other work moves them,
# so run it when the machine is quiet (the load is printed first) and more than once.
# `--prebuilt DIR` measures the programs already built in DIR (bench/ and src/cli/ as a build
# folder has them), for example a copy kept from before a change, without building.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = --prebuilt ]; then
  build=$2
else
  build=$here/build-release
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELDRASSA_BENCH=ON "${launcher[@]}" >/dev/null
  cmake --build "$build" -j 2 --target veldrassa-cli ShellImportBench WindowBench >/dev/null
fi
cli=$build/src/cli/veldrassa-cli
export VELDRASSA_CLI=$cli

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/ShellImportBench" --benchmark_out="$work/import.json" --benchmark_out_format=json \
  >/dev/null
# The offscreen platform warns about every window it cannot size to hints; kept for a failure.
QT_QPA_PLATFORM=offscreen "$build/bench/WindowBench" --benchmark_out="$work/windows.json" \
  --benchmark_out_format=json >/dev/null 2>"$work/windows.log" || { cat "$work/windows.log"; exit 1; }

# Peak memory of whole processes on the same unit.
"$build/bench/WindowBench" --make-unit "$work/unit"
peak() {  # peak resident set size in MB of the command
  /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ {printf "%.1f", $2 / 1024}'
}
roster_mb=$(peak "$cli" --data-dir "$work/unit" roster import --month 0 "$work/unit/roster.csv")
annual_mb=$(peak "$cli" --data-dir "$work/unit" report annual)
file_mb=$(stat -c %s "$work/unit/roster.csv" | awk '{printf "%.1f", $1 / 1048576}')

/usr/bin/python3 - "$work/import.json" "$work/windows.json" "$roster_mb" "$annual_mb" "$file_mb" <<'PY'
import json, sys

def medians(path):
    out = {}
    for b in json.load(open(path))["benchmarks"]:
        if b.get("aggregate_name") == "median":
            out[b["run_name"].split("/")[0]] = b
    return out

imports = medians(sys.argv[1])
windows = medians(sys.argv[2])

def line(name, value, goal, ok):
    print(f"{name:<44} {value:<34} goal {goal:<10} {'ok' if ok else 'MISSED'}")

for bench, what in (("RosterImportAgainstShell", "roster import vs sqlite3 shell"),
                    ("WageImportAgainstShell", "wage import vs sqlite3 shell")):
    b = imports[bench]
    line(what, f"ratio {b['ratio']:.2f} ({b['real_time']:.0f} / {b['shell_ms']:.0f} ms)",
         "<= 1.5", b["ratio"] <= 1.5)

for bench, b in windows.items():
    if bench.startswith("Open"):
        line(f"window {bench[4:]}", f"{b['real_time']:.0f} ms (cpu {b['cpu_time']:.0f} ms)", "<= 300 ms",
             b["real_time"] <= 300)

for bench, cli, what in (("SaveOpeningRosterWindow", "RosterImportAgainstShell", "opening roster"),
                         ("SaveMonthlyRosterWindow", "RosterImportAgainstShell", "monthly roster"),
                         ("StoreWageWindow", "WageImportAgainstShell", "wage month")):
    ours, theirs = windows[bench]["real_time"], imports[cli]["real_time"]
    line(f"window save {what} vs command line", f"ratio {ours / theirs:.2f} ({ours:.0f} / {theirs:.0f} ms)",
         "<= 2", ours / theirs <= 2)

roster_mb, annual_mb, file_mb = map(float, sys.argv[3:6])
print(f"{'peak memory roster import --month 0':<44} {roster_mb:.1f} MB (file {file_mb:.1f} MB)")
print(f"{'peak memory report annual':<44} {annual_mb:.1f} MB")
PY
