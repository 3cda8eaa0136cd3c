#!/bin/sh
# kelvane on clonal surveys at scale, each run measured with /usr/bin/time (wall time, peak
# memory) against its target: 100,000 diploid individuals x 12 loci drawn from 50,000 genotypes
# (clones --threshold 2, thresholds and suggest: 60 s and 1 GB each; histogram: 60 s; network,
# two passes over the distances: 120 s and 1 GB), 1,000,000 drawn from 20,000 genotypes (clones
# --threshold 2: 60 s and 2 GB), and 20,000 samples x 20,000 SNPs (clones --threshold 100: 120 s
# and 2 GB). None of them holds an n x n matrix. Then the spatial analyses of 10,000 ramets with
# 999 permutations, aggregation (Ac) and the kinship correlogram: 60 s each.
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: survey_scale.sh BUILD_FOLDER}" && pwd)
kelvane="$build/src/kelvane/kelvane"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$build/bench/marker_file_tool" 100000 12 2 survey.txt 50000
"$build/bench/marker_file_tool" 1000000 12 2 million.txt 20000
"$build/bench/vcf_file_tool" 20000 20000 snps.vcf.gz
# 10,000 ramets from 3,000 genotypes at random places on a 1 km square, for the spatial analyses.
"$build/bench/marker_file_tool" 10000 12 2 ramets.txt 3000
awk 'BEGIN { srand(3); print "ramet\tx\ty" }
     NR > 2 && NF > 3 { printf "%s\t%.3f\t%.3f\n", $2, rand() * 1000, rand() * 1000 }' \
    ramets.txt > places.tsv

. "$here/timed_run.sh"

# measure LABEL SECONDS MEGABYTES COMMAND...: one row (MEGABYTES 0: no memory target).
measure() {
    label=$1
    seconds=$2
    megabytes=$3
    shift 3
    timed_run "$@"
    awk "BEGIN { peak = $peak_kb / 1024; met = $wall <= $seconds && ($megabytes == 0 || peak <= $megabytes);
                 printf \"%-44s %8.2f %9.0f   %s s%s   %s\n\", \"$label\", $wall, peak, \"$seconds\",
                        $megabytes == 0 ? \"\" : \", $megabytes MB\", met ? \"met\" : \"MISSED\" }"
}

echo "clonal surveys (load average: $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo NA))"
echo "task                                           wall s   peak MB   target"
measure "clones T 2, n 100000 from G 50000" 60 1024 \
    "$kelvane" clones survey.txt --threshold 2 --quiet
measure "thresholds, n 100000 from G 50000" 60 1024 "$kelvane" thresholds survey.txt --quiet
measure "histogram, n 100000 from G 50000" 60 0 "$kelvane" histogram survey.txt --quiet
measure "suggest, n 100000 from G 50000" 60 1024 "$kelvane" suggest survey.txt --quiet
measure "network T 2, n 100000 from G 50000" 120 1024 \
    "$kelvane" network survey.txt --threshold 2 --out network.graphml --quiet
measure "clones T 2, n 1000000 from G 20000" 60 2048 \
    "$kelvane" clones million.txt --threshold 2 --quiet
measure "clones T 100, 20000 samples x 20000 SNPs" 120 2048 \
    "$kelvane" clones snps.vcf.gz --distance infinite-allele --threshold 100 --quiet
measure "spatial aggregation, 10000 ramets, 999 perm." 60 0 \
    "$kelvane" spatial aggregation ramets.txt --coordinates places.tsv --quiet
measure "spatial autocorrelation, 10000 ramets, 999" 60 0 \
    "$kelvane" spatial autocorrelation ramets.txt --coordinates places.tsv --quiet
