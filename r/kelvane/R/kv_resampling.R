#' Bootstrap tests of clonal diversity between populations
#'
#' As \code{marsyl bootstrap}: for every pair of populations, the p-values of each index being
#' greater or smaller in one than in the other.
#'
#' @inheritParams kv_diversity
#' @param permutations resamplings, the observed data counted as one.
#' @param seed two seeds, as the command's \code{--seed}; NULL seeds from the clock, as the
#'   command does.
#' @return a data.frame with a row per pair of populations.
#' @examples
#' kv_bootstrap(c(1, 1, 2, 3, 4, 4, 5, 6), rep(c("a", "b"), each = 4), permutations = 100,
#'              seed = c(1, 2))
#' @export
kv_bootstrap <- function(genotypes, populations, permutations = 1000L, seed = NULL) {
  kv_check_args(permutations = "resampling.permutations")
  kv_bootstrap_cpp(as.integer(genotypes), as.character(populations), as.integer(permutations),
                   as.integer(seed))
}

#' Genotypic differentiation between populations
#'
#' As \code{marsyl differentiation}: the permutation test of the G statistic for every pair of
#' populations.
#'
#' @inheritParams kv_bootstrap
#' @return a data.frame with columns \code{population_a}, \code{population_b} and \code{p}.
#' @examples
#' kv_differentiation(c(1, 1, 2, 3, 4, 4, 5, 6), rep(c("a", "b"), each = 4),
#'                    permutations = 100, seed = c(1, 2))
#' @export
kv_differentiation <- function(genotypes, populations, permutations = 1000L, seed = NULL) {
  kv_check_args(permutations = "resampling.permutations")
  kv_differentiation_cpp(as.integer(genotypes), as.character(populations),
                         as.integer(permutations), as.integer(seed))
}

#' Jackknife curves of clonal diversity
#'
#' As \code{marsyl jackknife}: the indices of subsamples of every size, with their spread.
#'
#' @inheritParams kv_bootstrap
#' @param subsamples subsamples of every size.
#' @return a data.frame with a row per population and size.
#' @examples
#' kv_jackknife(c(1, 1, 2, 3, 4, 4, 5, 6), rep("a", 8), subsamples = 20, seed = c(1, 2))
#' @export
kv_jackknife <- function(genotypes, populations = rep("1", length(genotypes)),
                         subsamples = 100L, seed = NULL) {
  kv_check_args()
  kv_jackknife_cpp(as.integer(genotypes), as.character(populations), as.integer(subsamples),
                   as.integer(seed))
}
