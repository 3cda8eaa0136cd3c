#!/bin/sh
# The genet registry at scale, each run against its target on this 2-core machine: 90,000 ramets
# of 20,000 genets x 12 loci added to a new registry in one batch (30 s), a query of 1,000 new
# samples against them (3 s), and the same ramets added as four batches started at once, which
# must all succeed and give as many genets as kelvane clones finds in all of them.
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: registry_bench.sh BUILD_FOLDER}" && pwd)
kelvane="$build/src/kelvane/kelvane"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$build/bench/marker_file_tool" 90000 12 2 ramets.txt 20000
# 1,000 samples of other genotypes under names of their own.
"$build/bench/marker_file_tool" 1000 12 2 others.txt
awk 'NR > 2 && NF > 3 { $2 = "new" $2 } { print }' others.txt > new.txt
# The ramets in four files of a quarter each (the header's count of individuals set to it).
awk 'NR == 2 { header = $0 } NR <= 2 { next } NF <= 3 { names = names $0 "\n"; next }
     { rows[NR % 4] = rows[NR % 4] $0 "\n"; count[NR % 4]++ }
     END { split(header, h, " ");
           for (q = 0; q < 4; ++q) {
               file = "quarter" q ".txt"
               printf "Quarter %d\n%d %s %s %s %s\n%s%s", q, count[q], h[2], h[3], h[4], h[5],
                      names, rows[q] > file } }' ramets.txt

. "$here/timed_run.sh"

row() {
    awk "BEGIN { printf \"%-48s %8.2f %8s   %s\n\", \"$1\", $2, \"$3 s\",
                 $2 <= $3 ? \"met\" : \"MISSED\" }"
}

echo "genet registry (load average: $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo NA))"
echo "task                                               wall s   target"
timed_run "$kelvane" registry add one.sqlite ramets.txt --threshold 2 --quiet
row "add 90000 ramets of 20000 genets, one batch" "$wall" 30
timed_run "$kelvane" registry query one.sqlite new.txt --quiet
row "query 1000 new samples against them" "$wall" 3
start=$(now)
for q in 0 1 2 3; do
    "$kelvane" registry add four.sqlite "quarter$q.txt" --threshold 2 --quiet > /dev/null \
        2> "quarter$q.err" &
done
wait
row "the same as four adds started at once" "$(awk "BEGIN { print $(now) - $start }")" 120
genets=$("$kelvane" registry genets four.sqlite | awk -F'\t' 'NR > 1 && $6 == "NA"' | wc -l)
clones=$("$kelvane" clones ramets.txt --threshold 2 --quiet 2> /dev/null |
         awk -F'\t' 'NR > 1 { print $3 }' | sort -u | wc -l)
verdict=$([ "$genets" = "$clones" ] && echo met || echo MISSED)
echo "genets after the four adds: $genets; kelvane clones: $clones ($verdict)"
