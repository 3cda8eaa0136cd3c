#!/bin/sh
# kelvane on SNP data at scale, from random VCF files written by vcf_file_tool (diploid, two
# alleles, one percent of genotypes missing), each run measured with /usr/bin/time: reading 1,000
# samples x 100,000 sites (target: 10 s, 2 GB), kelvane clones with the infinite allele model on
# 1,000 x 10,000 (target: 3 s for the whole run) and on 5,000 x 50,000 (target: 60 s, peak memory
# at most the distance matrix plus the genotypes, a byte per copy), and the AMOVA of two levels
# (2 regions, 10 populations) with 999 permutations of each on 5,000 x 50,000 (target: 60 s for the
# whole run). snp_bench gives the ratio of the bit planes to the computation locus by locus.
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: snp_scale.sh BUILD_FOLDER}" && pwd)
kelvane="$build/src/kelvane/kelvane"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$build/bench/vcf_file_tool" 1000 100000 read.vcf.gz
"$build/bench/vcf_file_tool" 1000 10000 small.vcf.gz
"$build/bench/vcf_file_tool" 5000 50000 large.vcf.gz
# Samples S1 to S5000 in populations pop0 to pop9, the even ones in region R0.
awk 'BEGIN { for (i = 1; i <= 5000; ++i) print "S" i "\tpop" (i % 10) }' > populations.tsv
awk 'BEGIN { print "sample\tregion"; for (i = 1; i <= 5000; ++i) print "S" i "\tR" (i % 2) }' \
    > strata.tsv

. "$here/timed_run.sh"

# measure LABEL LIMIT COMMAND...: one row of the table (wall time, user and system time, peak
# memory).
measure() {
    label=$1
    limit=$2
    shift 2
    timed_run "$@"
    awk "BEGIN { printf \"%-36s %8.2f %8.2f %9.0f   %s\n\", \"$label\", $wall, $cpu, $peak_kb / 1024, \"$limit\" }"
}

matrix_mb=$(awk 'BEGIN { printf "%.0f", 5000 * 5000 * 4 / 1048576 }')
genotypes_mb=$(awk 'BEGIN { printf "%.0f", 5000 * 50000 * 2 / 1048576 }')
echo "SNP data from VCF files (load average: $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo NA))"
echo "task                                   wall s    cpu s   peak MB   target"
measure "read 1000 x 100000 (vcf_read_tool)" "10 s, 2048 MB" \
    "$build/bench/vcf_read_tool" read.vcf.gz
measure "clones 1000 x 10000" "3 s" \
    "$kelvane" clones small.vcf.gz --distance infinite-allele --threshold 0 --quiet
measure "clones 5000 x 50000" "60 s, $matrix_mb + $genotypes_mb MB" \
    "$kelvane" clones large.vcf.gz --distance infinite-allele --threshold 0 --quiet
measure "amova 2 levels 5000 x 50000, 999" "60 s" \
    "$kelvane" amova large.vcf.gz --populations populations.tsv --strata strata.tsv \
    --hierarchy region/population --distance infinite-allele --quiet
