#!/bin/sh
# The evidence commands on random data (marker_file_tool: diploid, alleles 100 to 130, 3 % of
# copies missing, five populations) against their time limits: each command runs three times
# and the median wall time counts.
set -e
build=$(cd "${1:?usage: evidence_bench.sh BUILD_FOLDER}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/timed_run.sh"
kelvane="$build/src/kelvane/kelvane"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$build/bench/marker_file_tool" 2000 10 2 n2000.txt
"$build/bench/marker_file_tool" 1000 10 2 n1000.txt
"$build/bench/marker_file_tool" 2000 20 2 n2000_l20.txt
# Clonal data for psex: the last 500 of the 1000 individuals repeat the genotypes of the first
# 500 (the header is the title, the counts and five population names).
awk 'NR <= 7 { print; next }
     { n = NR - 7; pop = $1; name = $2; $1 = ""; $2 = ""; genotypes[n] = $0
       if (n > 500) { genotypes[n] = genotypes[n - 500] }
       print pop, name genotypes[n] }' n1000.txt > clonal1000.txt

row() {
    awk "BEGIN { printf \"%-58s %8.3f %6.1f  %s\n\", \"$1\", $2, $3, ($2 <= $3 ? \"met\" : \"MISSED\") }"
}

echo "command (random data, 10 loci unless said)                  seconds  limit"
row "suggest --simulations 100000, n = 2000" \
    "$(median_seconds "$kelvane" suggest n2000.txt --simulations 100000)" 2
row "psex --simulations 1000, n = 1000 (500 genotypes twice)" \
    "$(median_seconds "$kelvane" psex clonal1000.txt --simulations 1000)" 3
row "accumulation --draws 1000, 20 loci, n = 2000" \
    "$(median_seconds "$kelvane" accumulation n2000_l20.txt --draws 1000)" 2
row "ia --permutations 999, n = 1000" \
    "$(median_seconds "$kelvane" ia n1000.txt --permutations 999)" 5
