#!/bin/sh
# Clone calls and relatedness on genomic data against plink 2: a VCF of 2,000+ samples x 20,000
# SNPs from genet_simulation_tool (700 genets, 40 families of 5 full sibs, 3 ramets each, 1%
# calling error, uneven missing calls, replicates). plink 2's time includes its VCF import, as
# ours includes our reading. Each command runs three times and the median wall time counts; the
# ratios are to plink 2's median of the same run. Without plink2 its rows say so.
set -e
build=$(cd "${1:?usage: genomic_bench.sh BUILD_FOLDER}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/timed_run.sh"
kelvane="$build/src/kelvane/kelvane"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$build/bench/genet_simulation_tool" snps.vcf.gz truth.tsv replicates.tsv families=40 \
    unrelated=500 snps=20000 seed=5
samples=$(($(wc -l < truth.tsv) - 1))

row() {
    awk "BEGIN { printf \"%-62s %8.3f  %s\n\", \"$1\", $2, \"$3\" }"
}

echo "command ($samples samples x 20,000 SNPs, 2 threads)                 seconds  ratio to plink 2 (limit)"
read_time=$(median_seconds "$build/bench/vcf_read_tool" snps.vcf.gz)
relatedness=$(median_seconds "$kelvane" relatedness snps.vcf.gz --min-kinship 0.0884 --threads 2 \
    --quiet --out kin.tsv)
clones=$(median_seconds "$kelvane" clones snps.vcf.gz --distance mismatch --unrounded \
    --threshold auto --min-shared-loci 100 --threads 2 --quiet --out clones.tsv)
if command -v plink2 > /dev/null; then
    plink=$(median_seconds plink2 --vcf snps.vcf.gz --make-king-table --king-table-filter 0.0884 \
        --threads 2 --out plink)
    ratio() { awk "BEGIN { r = $1 / $plink; printf \"%.2f (%s) %s\", r, $2, (r <= $2 ? \"met\" : \"MISSED\") }"; }
else
    plink=0
    ratio() { echo "plink2 not installed"; }
fi
row "reading the VCF alone (vcf_read_tool)" "$read_time" ""
[ "$plink" = 0 ] || row "plink2 --make-king-table --king-table-filter 0.0884" "$plink" "1"
row "relatedness --min-kinship 0.0884" "$relatedness" "$(ratio "$relatedness" 1)"
row "clones --distance mismatch --threshold auto --unrounded" "$clones" "$(ratio "$clones" 3)"
