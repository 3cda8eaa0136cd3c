#!/bin/sh
# The two-phase distance against poppr's bruvo.dist on the same random microsatellites (10 loci,
# alleles 100 to 130, no missing copy), in one run on this machine: kelvane's whole process
# (`distances --distance two-phase --layout lower --out F`, the median of three) against the
# bruvo.dist(x, replen = rep(1, 10)) call alone, n = 1,000 at ploidy 2, 4 and 6 (target: 100
# times faster) and n = 250 at ploidy 8 (1,000 times); then kv_dist against bruvo.dist in one R
# session, when the R package is installed. Skipped with a message without R or poppr: poppr
# installs from CRAN (install.packages("poppr")) or from its source with its imports pegas and
# polysat (R CMD INSTALL); R_LIBS may name the library it is in.
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: poppr_bench.sh BUILD_FOLDER}" && pwd)
kelvane="$build/src/kelvane/kelvane"
if ! command -v Rscript > /dev/null 2>&1 ||
    ! Rscript -e 'quit(status = !requireNamespace("poppr", quietly = TRUE))' > /dev/null 2>&1; then
    echo "skipped: R with poppr is not installed (install.packages(\"poppr\"), or R CMD INSTALL its source with pegas and polysat)"
    exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
. "$here/timed_run.sh"

# random.R N PLOIDY: writes data_N_P.txt (marker data file) and data_N_P.rds (genind), the same
# genotypes.
cat > random.R <<'RCODE'
args <- commandArgs(TRUE)
n <- as.integer(args[1]); ploidy <- as.integer(args[2]); loci <- 10L
set.seed(n + ploidy)
copies <- array(sample(100:130, n * loci * ploidy, TRUE), c(n, loci, ploidy))
names <- sprintf("i%d", seq_len(n))
codes <- apply(copies, c(1, 2), function(a) paste(sprintf("%03d", a), collapse = ""))
writeLines(c("Random microsatellites", sprintf("%d 1 %d %d 3", n, loci, ploidy), "pop1",
             paste(1, names, apply(codes, 1, paste, collapse = " "))),
           sprintf("data_%d_%d.txt", n, ploidy))
table <- as.data.frame(apply(copies, c(1, 2), paste, collapse = "/"))
x <- adegenet::df2genind(table, sep = "/", ploidy = ploidy, ind.names = names)
saveRDS(x, sprintf("data_%d_%d.rds", n, ploidy))
RCODE

# poppr.R FILE.rds [kelvane]: bruvo.dist's seconds (the median of three), and kv_dist's too.
cat > poppr.R <<'RCODE'
args <- commandArgs(TRUE)
x <- readRDS(args[1])
replen <- rep(1, adegenet::nLoc(x))
median_of <- function(call) median(replicate(3, system.time(call())[["elapsed"]]))
poppr_s <- median_of(function() poppr::bruvo.dist(x, replen = replen))
ours_s <- if (length(args) > 1 && requireNamespace("kelvane", quietly = TRUE)) {
  median_of(function() kelvane::kv_dist(x, "two-phase", rounded = FALSE))
} else NA
cat(poppr_s, ours_s, "\n")
RCODE

echo "two-phase distance against poppr $(Rscript -e 'cat(as.character(packageVersion("poppr")))') bruvo.dist (load average: $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo NA))"
echo "ploidy      n   poppr s  kelvane s    ratio  target     kv_dist s    ratio"
for case in "1000 2 100" "1000 4 100" "1000 6 100" "250 8 1000"; do
    set -- $case
    Rscript random.R "$1" "$2"
    ours=$(median_seconds "$kelvane" distances "data_$1_$2.txt" --distance two-phase \
        --layout lower --out lower.txt --quiet)
    set -- $case $(Rscript poppr.R "data_$1_$2.rds" with-kelvane 2> /dev/null)
    awk -v p="$2" -v n="$1" -v target="$3" -v poppr="$4" -v ours="$ours" -v r="$5" 'BEGIN {
        ratio = poppr / ours
        rr = r == "NA" ? "NA" : sprintf("%.0f", poppr / r)
        printf "%6d %6d %9.3f %10.3f %8.0f %7s %4s %9s %8s\n", p, n, poppr, ours, ratio, target,
               (ratio >= target ? "met" : "MISSED"), r, rr }'
done
