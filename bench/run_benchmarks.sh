#!/bin/sh
# Runs every benchmark program of the build folder given, one after another.
set -e
folder=${1:?usage: run_benchmarks.sh BENCH_BUILD_FOLDER}
found=0
for program in "$folder"/*_bench; do
    [ -x "$program" ] || continue
    found=1
    echo "== $(basename "$program")"
    "$program"
done
[ "$found" = 1 ] || echo "no benchmarks yet"
echo "== cli_bench"
sh "$(dirname "$0")/cli_bench.sh" "$(cd "$folder/.." && pwd)"
echo "== scale_check"
sh "$(dirname "$0")/scale_check.sh" "$(cd "$folder/.." && pwd)"
echo "== report_scale"
sh "$(dirname "$0")/report_scale.sh" "$(cd "$folder/.." && pwd)"
