#' Pairwise distances between individuals
#'
#' The distances of \code{kelvane distances}: stepwise, squared, two-phase, infinite-allele or
#' Dice, with the same options (underscores for hyphens) and defaults.
#'
#' @param x a file path (any format the programs read), a genind or genclone object, a genlight
#'   or snpclone object (biallelic SNPs: copies of alleles 1 and 2, a missing call missing), or a
#'   data.frame of allele columns ("a/b" strings) with \code{ploidy}.
#' @param model the distance model: "stepwise", "squared", "two-phase", "infinite-allele" or
#'   "dice".
#' @param missing what a missing copy counts: "not-counted", a number of steps, "average",
#'   "infinite" or "one-mutation".
#' @param multiplier,base two-phase settings (defaults 100 and 2).
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
kv_dist <- function(x, model = "stepwise", missing = "not-counted", multiplier = NULL,
                    base = NULL, repeat_lengths = NULL, repeat_rounding = NULL,
                    partial_genotypes = NULL, rounded = TRUE, threads = 0L, ploidy = NULL) {
  kv_check_args()
  kv_dist_cpp(kv_data(x, ploidy),
              kv_model(model, missing, multiplier, base, repeat_lengths, repeat_rounding,
                       partial_genotypes),
              rounded, as.integer(threads))
}

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
kv_dist_between <- function(query, reference, model = "stepwise", missing = "not-counted",
                            multiplier = NULL, base = NULL, repeat_lengths = NULL,
                            repeat_rounding = NULL, partial_genotypes = NULL,
                            rounded = identical(model, "dice"), threads = 0L, ploidy = NULL) {
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
  d <- kv_dist_cpp(both, kv_model(model, missing, multiplier, base, repeat_lengths,
                                  repeat_rounding, partial_genotypes),
                   rounded, as.integer(threads))
  nq <- length(sets[[1]]$names)
  block <- as.matrix(d)[seq_len(nq), nq + seq_along(sets[[2]]$names), drop = FALSE]
  dimnames(block) <- list(sets[[1]]$names, sets[[2]]$names)
  block
}
