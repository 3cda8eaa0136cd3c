#' Pairwise distances between individuals
#'
#' The distances of \code{kelvane distances}: stepwise, squared, two-phase, infinite-allele or
#' Dice, with the same options (underscores for hyphens) and defaults.
#'
#' @param x a file path (any format the programs read), a genind object or a data.frame of
#'   allele columns ("a/b" strings) with \code{ploidy}.
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
  kv_dist_cpp(kv_data(x, ploidy),
              kv_model(model, missing, multiplier, base, repeat_lengths, repeat_rounding,
                       partial_genotypes),
              rounded, as.integer(threads))
}
