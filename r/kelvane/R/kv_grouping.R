#' Clonal genotypes against the threshold
#'
#' The number of clonal genotypes at threshold 0 and at every threshold where it changes, as
#' \code{kelvane thresholds}.
#'
#' @inheritParams kv_dist
#' @param linkage "single", "complete" or "average".
#' @param rounded FALSE (the default for every model but Dice) to group on the model's real
#'   distances, thresholds in their unit (two-phase: 0 to 1, as poppr's bruvo.dist); TRUE for the
#'   matrix's whole numbers (two-phase: times the multiplier, rounded), as the command line
#'   groups without \code{--unrounded}. Dice has only rounded distances.
#' @return a data.frame with columns \code{threshold} and \code{genotypes}.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' kv_thresholds(f)
#' @export
kv_thresholds <- kv_with_model(function(x, linkage = "single", rounded = identical(model, "dice"),
                                        threads = 0L, ploidy = NULL) {
  kv_check_args()
  kv_thresholds_cpp(kv_data(x, ploidy),
                    kv_model_of(rounded = rounded),
                    linkage, as.integer(threads))
}, after = "x")

#' Clonal genotypes at a threshold
#'
#' Every individual's clonal genotype, as \code{kelvane clones}: genotypes numbered from 1 in the
#' order of their first individual.
#'
#' @inheritParams kv_thresholds
#' @param threshold individuals linked by distances at or below it share a clonal genotype: a
#'   number of 0 or more in the distances' unit (a whole number with \code{rounded = TRUE}).
#'   Groups join while the distance between them is at or below it; poppr's mlg.filter joins them
#'   while it is strictly below, so the two differ only at a threshold equal to a merge height.
#'   "auto", with \code{model = "mismatch"}: chosen from the data, as \code{--threshold auto},
#'   between the clone-mate mode (from \code{replicates}, or the lowest distances) and half the
#'   median distance, where first-degree relatives begin.
#' @param min_shared_loci mismatch: a pair calling fewer loci in common has no distance and joins
#'   no one (NULL: half the loci).
#' @param replicates with \code{threshold = "auto"}: a data.frame or matrix whose first two
#'   columns name samples typed twice; their distances give the clone-mate mode.
#' @return an integer vector named by the individuals; with \code{threshold = "auto"} its
#'   attributes \code{threshold} (the one chosen) and \code{reason} (how).
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' table(kv_clones(f, threshold = 2))
#' @export
kv_clones <- kv_with_model(function(x, threshold, min_shared_loci = NULL, replicates = NULL,
                                    linkage = "single", rounded = identical(model, "dice"),
                                    threads = 0L, ploidy = NULL) {
  kv_check_args()
  automatic <- identical(threshold, "auto")
  if (!automatic && !is.null(replicates)) {
    stop("replicates goes with threshold = \"auto\"", call. = FALSE)
  }
  pairs <- kv_replicate_names(replicates)
  kv_clones_cpp(kv_data(x, ploidy),
                kv_model_of(rounded = rounded, min_shared_loci = min_shared_loci),
                if (automatic) 0 else as.numeric(threshold), automatic, pairs[[1]], pairs[[2]],
                linkage, as.integer(threads))
}, after = "threshold")

#' Thresholds the data suggest
#'
#' The largest gap among the merge heights and the sexual floor, and under the mismatch distance
#' the automatic threshold, as \code{kelvane suggest}.
#'
#' @inheritParams kv_thresholds
#' @param fraction the share of the merge heights searched for the largest gap.
#' @param alpha the quantile of the distances between simulated offspring.
#' @param simulations simulated offspring (0: no sexual floor).
#' @param seed two seeds, as the command's \code{--seed}; NULL for the start seeds.
#' @param min_shared_loci,replicates mismatch: as in \code{kv_clones}; under the mismatch
#'   distance a row \code{auto} gives the automatic threshold.
#' @return a data.frame with columns \code{method}, \code{threshold}, \code{genotypes},
#'   \code{low} and \code{high}; its attribute \code{notes}, when there are any, holds the
#'   command's notes on the distances (repeat lengths guessed, loci with codes off the repeat).
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' kv_suggest(f, simulations = 1000)
#' @export
kv_suggest <- kv_with_model(function(x, min_shared_loci = NULL, replicates = NULL, fraction = 0.5,
                                     alpha = 0.01, simulations = 10000L, seed = NULL,
                                     linkage = "single", rounded = identical(model, "dice"),
                                     threads = 0L, ploidy = NULL) {
  kv_check_args()
  pairs <- kv_replicate_names(replicates)
  kv_suggest_cpp(kv_data(x, ploidy),
                 kv_model_of(rounded = rounded, min_shared_loci = min_shared_loci),
                 fraction, alpha, as.integer(simulations), as.integer(seed), pairs[[1]],
                 pairs[[2]], linkage, as.integer(threads))
}, after = "x")

#' Bootstrap confidence intervals of diversity indices
#'
#' Shannon's H, Stoddart and Taylor's G, Simpson's lambda and E5 of every population and the
#' total, with bootstrap intervals, as \code{marsyl indices --ci}: each of \code{n} resamples
#' draws a population's individuals again with replacement. poppr's \code{diversity_ci} with its
#' defaults gives the same quantities: \code{estimate} is the mean of the resampled values and
#' the interval is the normal one centred on the observed value (observed -/+ z times the
#' resamples' standard deviation); the numbers differ by the resampling's chance, as two runs of
#' poppr do. Resamples in which an index is undefined (E5 of a single clone) are left out of it.
#'
#' @inheritParams kv_diversity
#' @param n the number of resamples (2 or more).
#' @param ci the confidence level in percent, above 0 and below 100.
#' @param seed two seeds, as the command's \code{--seed}; NULL seeds from the clock.
#' @return a data.frame with columns \code{population}, \code{index} (H, G, lambda, E5),
#'   \code{observed}, \code{estimate}, \code{lower} and \code{upper}.
#' @examples
#' kv_diversity_ci(c(1, 1, 2, 3, 3, 3), c("a", "a", "a", "b", "b", "b"), n = 200,
#'                 seed = c(1, 2))
#' @export
kv_diversity_ci <- function(genotypes, populations = rep("1", length(genotypes)), n = 1000,
                            ci = 95, seed = NULL) {
  kv_check_args()
  sample <- kv_sample(genotypes, populations)
  kv_diversity_ci_cpp(sample$genotypes, sample$populations, as.numeric(n), ci / 100,
                      as.integer(seed))
}

#' Per locus: alleles, genotypes and probabilities of identity
#'
#' As \code{kelvane loci}; with \code{repeat_lengths} also the share of each locus's sizes that
#' are off the repeat.
#'
#' @inheritParams kv_dist
#' @return a data.frame with a row per locus.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' kv_loci(f)
#' @export
kv_loci <- function(x, repeat_lengths = NULL, repeat_rounding = NULL, ploidy = NULL) {
  kv_check_args()
  kv_loci_cpp(kv_data(x, ploidy),
              kv_model("stepwise", "not-counted", NULL, NULL, repeat_lengths, repeat_rounding,
                       NULL))
}

#' Indices of clonal diversity
#'
#' The indices of \code{marsyl indices} for every population: the classical ones, the extended
#' statistics of clone sizes (\code{extended}), or the partitioning of diversity within and
#' among populations (\code{partition}).
#'
#' @param genotypes the clonal genotype of every individual (whole numbers), or a genind or
#'   genclone, whose multilocus genotypes of identical data (poppr's default MLGs) and
#'   populations are taken.
#' @param populations the population of every individual.
#' @param extended TRUE for the extended statistics (N, G, R, H, J, simpson, hill, V, lambda,
#'   stoddart_taylor, E5, eMLG, eMLG_se, beta, c, r2); stoddart_taylor is poppr's G.
#' @param partition TRUE for the partitioning of diversity.
#' @param rarefy the sample size of eMLG (0: the default, the smallest population but at least
#'   10).
#' @return a data.frame.
#' @examples
#' kv_diversity(c(1, 1, 2, 3, 3, 3), c("a", "a", "a", "b", "b", "b"))
#' kv_diversity(c(1, 1, 2, 3, 3, 3), c("a", "a", "a", "b", "b", "b"), extended = TRUE)
#' @export
kv_diversity <- function(genotypes, populations = rep("1", length(genotypes)),
                         extended = FALSE, partition = FALSE, rarefy = 0) {
  kv_check_args()
  sample <- kv_sample(genotypes, populations)
  kv_diversity_cpp(sample$genotypes, sample$populations, extended, partition, rarefy)
}

#' Analysis of molecular variance
#'
#' The AMOVA of the populations and its permutation test, as \code{kelvane amova}.
#'
#' @inheritParams kv_suggest
#' @param permutations permutations of the test (0: none).
#' @return a list of class \code{kv_amova} (printed as its table and Phi-st; \code{as.data.frame}
#'   gives the table): \code{table}, the command's table with the command's notes on the
#'   distances as its attribute \code{notes} (columns \code{source}, \code{df},
#'   \code{ss}, \code{variance}, \code{percent}, \code{phi_st}, \code{p},
#'   \code{p_smaller}); \code{phi}, Phi-st; \code{p} and \code{p_smaller}, its p-values (NA
#'   without permutations).
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' kv_amova(f, permutations = 99)$phi
#' @export
kv_amova <- kv_with_model(function(x, permutations = 999, seed = NULL, threads = 0L,
                                   ploidy = NULL) {
  kv_check_args()
  table <- kv_amova_cpp(kv_data(x, ploidy),
                        kv_model_of(),
                        permutations, as.integer(seed), as.integer(threads))
  among <- which(!is.na(table$phi_st))[1]
  structure(list(table = table, phi = table$phi_st[among], p = table$p[among],
                 p_smaller = table$p_smaller[among]),
            class = "kv_amova")
}, after = "x")

#' @export
print.kv_amova <- function(x, ...) {
  cat("AMOVA of the populations\n\n")
  print(x$table, row.names = FALSE, ...)
  cat("\nPhi-st ", format(x$phi), ", p ", format(x$p), " (greater), ", format(x$p_smaller),
      " (smaller)\n", sep = "")
  for (note in attr(x$table, "notes")) cat("Note: ", note, "\n", sep = "")
  invisible(x)
}

#' @export
as.data.frame.kv_amova <- function(x, ...) {
  x$table
}

#' Index of association
#'
#' The index of association and rbarD of every population and of all individuals, with their
#' permutation tests, as \code{kelvane ia}.
#'
#' @inheritParams kv_amova
#' @inheritParams kv_thresholds
#' @param clone_correct keep the first individual of every genotype in each population.
#' @param threshold with \code{clone_correct}: genotypes at this threshold rather than of
#'   identical data.
#' @return a data.frame with columns \code{population}, \code{n}, \code{ia}, \code{rbard},
#'   \code{p_ia} and \code{p_rbard}.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' kv_ia(f, permutations = 99)
#' @export
kv_ia <- kv_with_model(function(x, permutations = 999, clone_correct = FALSE, threshold = NULL,
                                seed = NULL, rounded = identical(model, "dice"), threads = 0L,
                                ploidy = NULL) {
  kv_check_args()
  kv_ia_cpp(kv_data(x, ploidy),
            kv_model_of(rounded = rounded),
            permutations, clone_correct, if (is.null(threshold)) NULL else as.numeric(threshold),
            as.integer(seed), as.integer(threads), FALSE)
}, after = "x")

#' Index of association of every pair of loci
#'
#' Ia and rbarD of every two loci over all individuals, as poppr's \code{pair.ia} and
#' \code{kelvane ia --pairs}, with the permutation test of each pair when \code{permutations}
#' is above 0 (poppr's \code{sample}).
#'
#' @inheritParams kv_ia
#' @param permutations permutations of each pair's test (0: none, as poppr's default).
#' @return a data.frame with columns \code{locus_a}, \code{locus_b}, \code{n}, \code{ia},
#'   \code{rbard}, \code{p_ia} and \code{p_rbard}, a row per pair of loci.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' kv_pair_ia(f)
#' @export
kv_pair_ia <- function(x, permutations = 0, clone_correct = FALSE, threshold = NULL,
                       model = "stepwise", missing = "not-counted", seed = NULL,
                       rounded = identical(model, "dice"), threads = 0L, ploidy = NULL) {
  kv_check_args()
  kv_ia_cpp(kv_data(x, ploidy),
            kv_model(model, missing, NULL, NULL, NULL, NULL, NULL, rounded = rounded),
            permutations, clone_correct, if (is.null(threshold)) NULL else as.numeric(threshold),
            as.integer(seed), as.integer(threads), TRUE)
}

#' Genotype accumulation curve
#'
#' The number of genotypes over random subsets of k loci, as \code{kelvane accumulation}.
#'
#' @inheritParams kv_amova
#' @param draws random subsets per number of loci.
#' @return a data.frame with columns \code{loci}, \code{mean}, \code{sd}, \code{min} and
#'   \code{max}.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' kv_accumulation(f, draws = 100)
#' @export
kv_accumulation <- function(x, draws = 1000, seed = NULL, threads = 0L, ploidy = NULL) {
  kv_check_args()
  kv_accumulation_cpp(kv_data(x, ploidy), draws, as.integer(seed), as.integer(threads))
}

#' Pareto index of clone sizes
#'
#' As \code{marsyl pareto}: the Pareto index of every population's clone sizes.
#'
#' @inheritParams kv_diversity
#' @return a data.frame.
#' @examples
#' kv_pareto(c(1, 1, 1, 2, 2, 3, 4, 5), rep("a", 8))
#' @export
kv_pareto <- function(genotypes, populations = rep("1", length(genotypes))) {
  kv_check_args()
  if (length(genotypes) != length(populations)) {
    stop("genotypes and populations must be as long as each other")
  }
  kv_pareto_cpp(as.integer(genotypes), as.character(populations))
}

#' Genotypes shared between populations
#'
#' As \code{marsyl shared}.
#'
#' @inheritParams kv_diversity
#' @param all every genotype rather than those shared.
#' @return a data.frame.
#' @examples
#' kv_shared(c(1, 1, 2, 1, 3), c("a", "a", "a", "b", "b"))
#' @export
kv_shared <- function(genotypes, populations = rep("1", length(genotypes)), all = FALSE) {
  kv_check_args()
  if (length(genotypes) != length(populations)) {
    stop("genotypes and populations must be as long as each other")
  }
  kv_shared_cpp(as.integer(genotypes), as.character(populations), all)
}

#' Could repeated genotypes have arisen by sex?
#'
#' The probability of every repeated genotype (pgen) and of finding it again by sex (psex), as
#' \code{kelvane psex}.
#'
#' @inheritParams kv_amova
#' @inheritParams kv_thresholds
#' @param threshold genotypes at this threshold (NULL: those of identical data).
#' @param frequencies allele frequencies from "ramet", "genet" or "round-robin".
#' @param rr_fill the frequency of an allele the round robin misses: "genets" or "samples".
#' @param by_population frequencies and psex within each population.
#' @param fis multiply in each locus's Fis (diploid data).
#' @param method "multiple" (the r-th encounter) or "single".
#' @param simulations simulated data sets for p-values of psex (0: none).
#' @return a data.frame with a row per individual whose genotype occurs more than once.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' kv_psex(f)
#' @export
kv_psex <- kv_with_model(function(x, threshold = NULL, frequencies = "round-robin",
                                  rr_fill = "genets", by_population = FALSE, fis = FALSE,
                                  method = "multiple", simulations = 0, seed = NULL,
                                  rounded = identical(model, "dice"), threads = 0L, ploidy = NULL) {
  kv_check_args(simulations = "psex.simulations")
  kv_psex_cpp(kv_data(x, ploidy),
              kv_model_of(rounded = rounded),
              if (is.null(threshold)) NULL else as.numeric(threshold), frequencies, rr_fill,
              by_population, fis, method, simulations, as.integer(seed), as.integer(threads))
}, after = "seed")

#' Minimum spanning network of the clonal genotypes
#'
#' Every link that lies on some minimum spanning tree of the clonal genotypes at a threshold, as
#' \code{kelvane network}: an igraph graph when igraph is installed, otherwise a list of
#' \code{nodes}, \code{edges} and every individual's \code{genotype}. As in the GraphML file of
#' \code{kelvane network}, each vertex has the attributes \code{size} (its individuals),
#' \code{individuals} (their names, separated by blanks) and one per population, \code{pop_} and its name (the
#' genotype's count there, as poppr's networks count populations), and each edge the attribute
#' \code{weight} (the distance), which \code{igraph::mst} and the layouts read.
#'
#' @inheritParams kv_clones
#' @return an igraph graph, or without igraph a \code{kv_network} list of \code{nodes} and
#'   \code{edges} (printed as both tables; \code{as.data.frame} gives the edges).
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' net <- kv_network(f, threshold = 2)
#' @export
kv_network <- kv_with_model(function(x, threshold, min_shared_loci = NULL, replicates = NULL,
                                     rounded = identical(model, "dice"), threads = 0L,
                                     ploidy = NULL) {
  kv_check_args()
  automatic <- identical(threshold, "auto")
  if (!automatic && !is.null(replicates)) {
    stop("replicates goes with threshold = \"auto\"", call. = FALSE)
  }
  pairs <- kv_replicate_names(replicates)
  net <- kv_network_cpp(kv_data(x, ploidy),
                        kv_model_of(rounded = rounded,
                                 min_shared_loci = min_shared_loci),
                        if (automatic) 0 else as.numeric(threshold), automatic, pairs[[1]],
                        pairs[[2]], as.integer(threads))
  if (requireNamespace("igraph", quietly = TRUE)) {
    graph <- igraph::graph_from_data_frame(net$edges, directed = FALSE,
                                           vertices = net$nodes)
    return(graph)
  }
  structure(net, class = "kv_network")
}, after = "threshold")

#' @export
print.kv_network <- function(x, ...) {
  cat("Minimum spanning network: ", nrow(x$nodes), " clonal genotypes, ", nrow(x$edges),
      " links\n\nnodes\n", sep = "")
  print(x$nodes, row.names = FALSE, ...)
  cat("\nedges\n")
  print(x$edges, row.names = FALSE, ...)
  invisible(x)
}

#' @export
as.data.frame.kv_network <- function(x, ...) {
  x$edges
}

#' AMOVA of a sampling design
#'
#' The nested AMOVA of levels of strata (regions, populations, sites) with a permutation test per
#' level, as \code{kelvane amova --strata --hierarchy}: degrees of freedom, sums of squares,
#' variance components (with the coefficients of unbalanced designs), percentages and Phi of
#' every level, as ade4's \code{amova} defines them.
#'
#' @inheritParams kv_suggest
#' @param strata a data.frame with a row per individual in the order of the data and a column
#'   per level (the names of its columns name the levels); NULL: the strata of a genind or
#'   genclone \code{x} (adegenet's \code{strata}), or else the data's populations alone.
#' @param hierarchy the levels from the top, names of columns of \code{strata} or
#'   \code{"population"} for the data's populations, as a vector, a formula \code{~A/B} or a
#'   string \code{"A/B"}; NULL: the populations.
#' @param within add the level within individuals (their allele copies taken apart).
#' @param clone_correct keep one individual per genotype within each group of the lowest level.
#' @param threshold with \code{clone_correct}: genotypes are the clonal genotypes at this
#'   threshold (NULL: identical data).
#' @param euclidean how the distances D are read as squared Euclidean distances:
#'   \code{"sqrt"} (sqrt(D) is the Euclidean distance), \code{"none"} (D is),
#'   \code{"cailliez"} or \code{"lingoes"} (sqrt(D) corrected when it is not Euclidean).
#' @param permutations permutations of each level's test (0: none).
#' @return a data.frame: \code{source}, \code{df}, \code{ss}, \code{variance},
#'   \code{percent}, \code{phi}, \code{p}, a row per level from the top, the row within the
#'   lowest groups and the total (a single level under \code{"sqrt"}: \code{kv_amova}'s table);
#'   its attribute \code{notes} says how the distances were read, as the command's notes do.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' sites <- as.character(adegenet::pop(kv_read(f)))
#' strata <- data.frame(region = ifelse(sites == "Bay", "south", "north"), site = sites)
#' kv_amova_design(f, strata, hierarchy = c("region", "site"), permutations = 99)
#' @export
kv_amova_design <- kv_with_model(function(x, strata = NULL, hierarchy = NULL, within = FALSE,
                                          clone_correct = FALSE, threshold = NULL,
                                          euclidean = "sqrt", permutations = 999, seed = NULL,
                                          threads = 0L, ploidy = NULL) {
  kv_check_args()
  kv_amova_design_cpp(kv_data(x, ploidy),
                      kv_model_of(),
                      kv_strata(strata, x), kv_hierarchy(hierarchy), within, clone_correct,
                      threshold, euclidean, permutations, as.integer(seed), as.integer(threads))
}, after = "euclidean")

#' Pairwise Phi-st
#'
#' Phi-st of the AMOVA of every two groups of the design's lowest level with its permutation
#' p-value, as \code{kelvane amova --pairwise}.
#'
#' @inheritParams kv_amova_design
#' @param adjust p-values corrected for the number of pairs: \code{"none"}, \code{"holm"}
#'   or \code{"bh"} (as \code{p.adjust}'s \code{"holm"} and \code{"BH"}).
#' @return a data.frame: \code{population_a}, \code{population_b}, \code{phi_st}, \code{p}
#'   and \code{p_adjusted} unless \code{adjust} is \code{"none"}; its attribute \code{notes}
#'   says how the distances were read, as the command's notes do.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' kv_pairwise_phi(f, permutations = 99, adjust = "holm")
#' @export
kv_pairwise_phi <- kv_with_model(function(x, strata = NULL, hierarchy = NULL, clone_correct = FALSE,
                                          threshold = NULL, euclidean = "sqrt", permutations = 999,
                                          adjust = "none", seed = NULL, threads = 0L,
                                          ploidy = NULL) {
  kv_check_args()
  kv_pairwise_phi_cpp(kv_data(x, ploidy),
                      kv_model_of(),
                      kv_strata(strata, x), kv_hierarchy(hierarchy), clone_correct, threshold,
                      euclidean, permutations, adjust, as.integer(seed), as.integer(threads))
}, after = "euclidean")

# The levels of a hierarchy: a character vector from the top, a formula ~A/B (as poppr and
# adegenet write it) or one string "A/B".
kv_hierarchy <- function(hierarchy) {
  if (inherits(hierarchy, "formula")) {
    return(all.vars(hierarchy))
  }
  if (is.character(hierarchy) && length(hierarchy) == 1 && grepl("/", hierarchy, fixed = TRUE)) {
    return(strsplit(hierarchy, "/", fixed = TRUE)[[1]])
  }
  as.character(hierarchy)
}

# The strata as the C++ reads them: NULL, or a named list of character vectors; without strata
# given, those a genind or genclone carries (adegenet's strata()).
kv_strata <- function(strata, x = NULL) {
  if (is.null(strata) && inherits(x, "genind")) {
    strata <- adegenet::strata(x)
  }
  if (is.null(strata)) {
    return(NULL)
  }
  if (!is.data.frame(strata) || is.null(names(strata))) {
    stop("strata must be a data.frame with a named column per level")
  }
  lapply(strata, as.character)
}

#' Where the clones are
#'
#' The spatial structure of genets from the coordinates of their ramets, as
#' \code{kelvane spatial}: the share of pairs of one genet per distance class and each genet's
#' spread (\code{"subrange"}), the aggregation index Ac (\code{"aggregation"}), the edge effect
#' Ee (\code{"edge"}) and the kinship correlogram (\code{"autocorrelation"}), with RClone's
#' definitions.
#'
#' @inheritParams kv_suggest
#' @param coordinates a data.frame or matrix of two columns, x and y (longitude and latitude
#'   with \code{geographic}), a row per individual in the order of the data.
#' @param analysis \code{"subrange"}, \code{"aggregation"}, \code{"edge"} or
#'   \code{"autocorrelation"}.
#' @param threshold genets are the clonal genotypes at this threshold (NULL: identical data).
#' @param geographic great-circle distances in km between longitudes and latitudes in degrees.
#' @param classes the number of distance classes (equal width, or equal pairs).
#' @param equal_pairs classes of equal numbers of pairs.
#' @param class_limits the limits of the classes, ascending (NULL: \code{classes}).
#' @param center the centre x, y of the edge effect (NULL: each group's centroid).
#' @param level the units of the correlogram: \code{"ramets"}, \code{"genets-central"},
#'   \code{"genets-weighted"} or \code{"genets-random"}.
#' @param permutations permutations of the p-values (0: none).
#' @return subrange: a \code{kv_spatial} list of \code{classes} (class, from, to, mean_distance,
#'   pairs, same_genet_share) and \code{genets} (genotype, ramets, subrange); autocorrelation: a
#'   \code{kv_spatial} list of \code{classes} (class, from, to, mean_distance, ln_mean_distance,
#'   pairs, kinship, p) and \code{summary} (b, b_log, f1, sp, sp_log); a \code{kv_spatial} prints
#'   both tables and \code{as.data.frame} gives \code{classes}. Aggregation and edge: a
#'   data.frame with a row per population and for all.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' n <- length(adegenet::indNames(kv_read(f)))
#' places <- data.frame(x = seq_len(n), y = (seq_len(n) * 7) %% 5)
#' kv_spatial(f, places, "aggregation", permutations = 99)
#' @export
kv_spatial <- kv_with_model(function(x, coordinates, analysis = "subrange", threshold = NULL,
                                     geographic = FALSE, classes = 10L, equal_pairs = FALSE,
                                     class_limits = NULL, center = NULL, level = "ramets",
                                     permutations = 999, seed = NULL, threads = 0L, ploidy = NULL) {
  kv_check_args()
  coordinates <- as.data.frame(coordinates)
  result <- kv_spatial_cpp(kv_data(x, ploidy),
                           kv_model_of(),
                           analysis, as.numeric(coordinates[[1]]), as.numeric(coordinates[[2]]),
                           geographic, threshold, as.integer(classes), equal_pairs,
                           as.numeric(class_limits), as.numeric(center), level, permutations,
                           as.integer(seed), as.integer(threads))
  if (analysis %in% c("aggregation", "edge")) result$table else
    structure(result, class = "kv_spatial", analysis = analysis)
}, after = "level")

#' @export
print.kv_spatial <- function(x, ...) {
  cat(if (identical(attr(x, "analysis"), "autocorrelation")) "Kinship correlogram" else
    "Clonal subrange", "\n\n")
  for (part in names(x)) {
    cat(part, "\n", sep = "")
    print(x[[part]], row.names = FALSE, ...)
    cat("\n")
  }
  invisible(x)
}

#' @export
as.data.frame.kv_spatial <- function(x, ...) {
  x$classes
}
