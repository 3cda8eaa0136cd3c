#' Pairwise distances between individuals
#'
#' The distances of \code{kelvane distances}: stepwise, squared, two-phase, infinite-allele or
#' Dice, with the same options (underscores for hyphens) and defaults.
#'
#' @param x a file path (any format the programs read), a genind or genclone object, a genlight
#'   or snpclone object (biallelic SNPs: copies of alleles 1 and 2, a missing call missing), or a
#'   data.frame of allele columns ("a/b" strings) with \code{ploidy}.
#' @param model the distance model: "stepwise", "squared", "two-phase", "infinite-allele",
#'   "dice" or "mismatch" (the share of allele copies that differ among the loci called in both,
#'   0 to 1; poppr's \code{bitwise.dist(percent = TRUE)} on data without missing calls, plink
#'   1.9's 1 - IBS).
#' @param missing what a missing copy counts: "not-counted", a number of steps, "average",
#'   "infinite" or "one-mutation".
#' @param multiplier,base two-phase settings (defaults 100 and 2); the multiplier also scales the
#'   rounded mismatch distances.
#' @param min_shared_loci mismatch: a pair calling fewer loci in common has no distance (NA;
#'   NULL: half the loci).
#' @param repeat_lengths repeat lengths: one per locus in locus order, or named by locus (matched
#'   by name, as poppr's bruvo.dist does), a file of locus and length, or "auto".
#' @param repeat_rounding "relative" (the default) or "absolute".
#' @param partial_genotypes two-phase between partial genotypes: "infinite", "addition", "loss"
#'   or "combination".
#' @param rounded FALSE for the real distance before multiplier and rounding.
#' @param threads worker threads (0: every core).
#' @param ploidy the ploidy of a data.frame \code{x}.
#' @return a \code{dist} object labelled with the individuals' names.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' d <- kv_dist(f)
#' @export
kv_dist <- kv_with_model(function(x, min_shared_loci = NULL, rounded = TRUE, threads = 0L,
                                  ploidy = NULL) {
  kv_check_args()
  kv_dist_cpp(kv_data(x, ploidy),
              kv_model_of(min_shared_loci = min_shared_loci),
              rounded, as.integer(threads))
}, after = "x")

#' Distances between a query and a reference set
#'
#' The distance of every query individual to every reference individual, as poppr's
#' \code{bruvo.between} computes them: the two sets are taken together (so that settings drawn
#' from the data, such as \code{repeat_lengths = "auto"} or \code{missing = "average"}, see
#' both) and the query x reference block is returned. poppr returns that block inside a
#' \code{dist} of both sets with the other pairs left out; here it is a matrix.
#'
#' @inheritParams kv_dist
#' @param query,reference file paths, genind objects or data.frames of allele columns with the
#'   same loci in the same order.
#' @param rounded FALSE (the default for every model but Dice) for the real distances, as
#'   \code{bruvo.between} gives them; TRUE for the whole numbers of \code{kv_dist}.
#' @return a matrix with a row per query individual and a column per reference individual,
#'   named by them.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' x <- kv_read(f)
#' kv_dist_between(x[1:3], x[4:10], "two-phase", repeat_lengths = "auto")
#' @export
kv_dist_between <- kv_with_model(function(query, reference, rounded = identical(model, "dice"),
                                          threads = 0L, ploidy = NULL) {
  kv_check_args()
  sets <- lapply(list(query, reference), function(x) {
    if (is.character(x) && length(x) == 1) x <- kv_read(x)
    kv_data(x, ploidy)
  })
  if (!identical(sets[[1]]$loci, sets[[2]]$loci)) {
    stop("query and reference must have the same loci in the same order", call. = FALSE)
  }
  # Copies locus by locus, each set widened to the larger ploidy with missing copies.
  width <- max(sets[[1]]$ploidy, sets[[2]]$ploidy)
  widened <- lapply(sets, function(s) {
    out <- matrix(0L, nrow(s$copies), length(s$loci) * width)
    for (k in seq_along(s$loci)) {
      out[, (k - 1) * width + seq_len(s$ploidy)] <- s$copies[, (k - 1) * s$ploidy +
                                                                seq_len(s$ploidy)]
    }
    out
  })
  both <- list(copies = rbind(widened[[1]], widened[[2]]), ploidy = width,
               names = c(sets[[1]]$names, sets[[2]]$names),
               populations = c(sets[[1]]$populations, sets[[2]]$populations),
               loci = sets[[1]]$loci)
  d <- kv_dist_cpp(both, kv_model_of(),
                   rounded, as.integer(threads))
  nq <- length(sets[[1]]$names)
  block <- as.matrix(d)[seq_len(nq), nq + seq_along(sets[[2]]$names), drop = FALSE]
  dimnames(block) <- list(sets[[1]]$names, sets[[2]]$names)
  block
}, after = "reference")

#' Genotyping error rate from replicate typings
#'
#' As \code{kelvane error-rate}: for every pair of samples that are the same DNA or the same
#' ramet typed twice, the loci called in both, those whose calls differ, and the error rate per
#' call e with its 95\% interval; a last row \code{all} pools the pairs. Every call is taken as
#' wrong with probability e, a wrong call reading another genotype, so two typings differ at a
#' locus with probability 2e - e^2; e = 1 - sqrt(1 - d) at the share d of differing loci, the
#' bounds the Wilson interval of d mapped alike.
#'
#' @inheritParams kv_dist
#' @param replicates a data.frame or matrix whose first two columns name the two typings of
#'   each pair.
#' @return a data.frame with columns \code{individual_a}, \code{individual_b},
#'   \code{shared_loci}, \code{mismatches}, \code{error_rate}, \code{lower}, \code{upper}.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' kv_error_rate(f, data.frame(a = c("L01", "R01"), b = c("L02", "R03")))
#' @export
kv_error_rate <- function(x, replicates, ploidy = NULL) {
  kv_check_args()
  pairs <- kv_replicate_names(replicates)
  kv_error_rate_cpp(kv_data(x, ploidy), pairs[[1]], pairs[[2]])
}

#' Kinship between every pair of diploid samples
#'
#' As \code{kelvane relatedness}: over the biallelic SNPs both samples call, the KING-robust
#' kinship between families (Manichaikul et al. 2010) with the counts it comes from, as plink 2's
#' \code{--make-king-table} gives them, the mismatch distance and the relationship. Sites with a
#' third allele and calls of one copy are left out. Clone mates are the pairs within the automatic
#' threshold of the mismatch distance (see \code{kv_clones}); the others are classed on the
#' kinship read on the data's own scale, the median kinship as 0 and that of the clone mates as
#' 1/2, since calling error lowers every kinship: first-degree above 0.177, second-degree above
#' 0.0884, otherwise unrelated.
#'
#' @inheritParams kv_dist
#' @param min_kinship only the pairs of this kinship or more (plink 2's
#'   \code{--king-table-filter}); NULL for every pair.
#' @param replicates a data.frame or matrix whose first two columns name samples typed twice:
#'   they set the clone-mate modes of the mismatch distance and of the kinship.
#' @return a data.frame with columns \code{individual1}, \code{individual2},
#'   \code{shared_loci}, \code{hethet}, \code{ibs0}, \code{kinship}, \code{mismatch} and
#'   \code{relationship}, a row per pair in plink 2's order; its attribute \code{scale} says how
#'   the relationships were read.
#' @examples
#' snps <- new("genlight", list(a = c(0, 1, 2, 1), b = c(0, 1, 2, 1), c = c(2, 1, 0, 0)),
#'             ploidy = 2)
#' kv_relatedness(snps)
#' @export
kv_relatedness <- function(x, min_kinship = NULL, replicates = NULL, threads = 0L,
                           ploidy = NULL) {
  kv_check_args()
  pairs <- kv_replicate_names(replicates)
  kv_relatedness_cpp(kv_data(x, ploidy), min_kinship, pairs[[1]], pairs[[2]],
                     as.integer(threads))
}
