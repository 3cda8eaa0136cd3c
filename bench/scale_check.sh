#!/bin/sh
# kelvane at scale: reads a marker data file of 20000 individuals at 10 diploid loci, computes
# the stepwise distance matrix (missing data not counted) and ends, measured with /usr/bin/time:
# wall time and peak memory against the size of the matrix itself.
set -e
build=$(cd "${1:?usage: scale_check.sh BUILD_FOLDER [INDIVIDUALS]}" && pwd)
n=${2:-20000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/marker_file_tool" "$n" 10 2 "$work/markers.txt"
printf 'markers.txt\n2\n1\n4\n6\n' > "$work/answers.txt"
cd "$work"
if [ -x /usr/bin/time ]; then
    /usr/bin/time -v "$build/src/kelvane/kelvane" < answers.txt > console.txt 2> time.txt
    wall=$(grep 'Elapsed (wall clock)' time.txt | sed 's/.*: //')
    peak_kb=$(grep 'Maximum resident set size' time.txt | sed 's/.*: //')
    matrix_kb=$((n * n * 4 / 1024))
    echo "kelvane, stepwise matrix of n = $n, 10 loci: wall $wall, peak memory ${peak_kb} kB," \
         "matrix ${matrix_kb} kB, ratio $(awk "BEGIN { printf \"%.2f\", $peak_kb / $matrix_kb }")"
else
    start=$(date +%s)
    "$build/src/kelvane/kelvane" < answers.txt > console.txt
    echo "kelvane, stepwise matrix of n = $n, 10 loci: wall $(( $(date +%s) - start )) s"
fi
tail -n 3 console.txt | grep -q "That's all folks" || { echo "kelvane did not end normally"; exit 1; }
