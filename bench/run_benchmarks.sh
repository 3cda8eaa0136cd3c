#!/bin/sh
# Runs every benchmark program of the build folder given, one after another, then every
# <name>_bench.sh script of this folder (cli_bench.sh among them) and the scale scripts.
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
for script in "$(dirname "$0")"/*_bench.sh; do
    echo "== $(basename "$script" .sh)"
    sh "$script" "$(cd "$folder/.." && pwd)"
done
echo "== scale_check"
sh "$(dirname "$0")/scale_check.sh" "$(cd "$folder/.." && pwd)"
echo "== snp_scale"
sh "$(dirname "$0")/snp_scale.sh" "$(cd "$folder/.." && pwd)"
echo "== survey_scale"
sh "$(dirname "$0")/survey_scale.sh" "$(cd "$folder/.." && pwd)"
echo "== report_scale"
sh "$(dirname "$0")/report_scale.sh" "$(cd "$folder/.." && pwd)"
