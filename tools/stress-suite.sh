#!/usr/bin/env bash
# Runs the whole suite of a built tree twice while every core is kept busy, to show that no test
# depends on the machine's speed: tools/stress-suite.sh [BUILD_DIR (default build)] [RUNS (default 2)]
# The load is one busy loop per core, started here and ended here (also on failure or Ctrl+C).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
runs=${2:-2}
[ -f "$dir/CTestTestfile.cmake" ] || { echo "no built suite in $dir" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen
cores=$(nproc)
load_pids=()
end_load() {
    for p in "${load_pids[@]}"; do kill "$p" 2>/dev/null || true; done
    for p in "${load_pids[@]}"; do wait "$p" 2>/dev/null || true; done
    load_pids=()
}
trap end_load EXIT INT TERM
for _ in $(seq "$cores"); do
    (while :; do :; done) &
    load_pids+=($!)
done
echo "stress-suite: $cores busy loops started (pids ${load_pids[*]})"
rc=0
for run in $(seq "$runs"); do
    echo "stress-suite: run $run of $runs in $dir"
    if ! (cd "$dir" && ctest -j "$cores" --output-on-failure --timeout 1500) >"$dir/stress-$run.log" 2>&1; then
        rc=1
    fi
    grep -E '^[0-9]+% tests passed|Total Test time' "$dir/stress-$run.log" || true
    [ "$rc" -eq 0 ] || grep -E '\(Failed\)|\(Timeout\)|\*\*\*' "$dir/stress-$run.log" || true
done
end_load
echo "stress-suite: load ended"
exit "$rc"
