# Values from their definitions and published sources, without the program.

test_that("two-phase distances between partial genotypes are the published ones", {
  # Bruvo et al. (2004), as poppr's tests carry them: a tetraploid showing 20, 23, 24 against
  # 20, 24, 26, 43, under infinite, addition, loss and combination.
  pair <- data.frame(locus = c("00/20/23/24", "20/24/26/43"))
  expected <- c(infinite = 0.46875, addition = 0.458333164453506, loss = 0.34374987334013,
                combination = 0.401041518896818)
  for (treatment in names(expected)) {
    d <- kv_dist(pair, "two-phase", partial_genotypes = treatment, rounded = FALSE, ploidy = 4)
    expect_equal(as.vector(d), expected[[treatment]], tolerance = 1e-12)
  }
})

test_that("clonal diversity follows its definitions", {
  # One population of three individuals in two genotypes: div = 3/2 (1 - (4 + 1) / 9) = 2/3.
  indices <- kv_diversity(c(1, 1, 2))
  expect_equal(indices$n, 3L)
  expect_equal(indices$gen, 2L)
  expect_equal(indices$div, 2 / 3)
})

test_that("shared genotypes and Pareto fits follow their definitions", {
  # Genotype 1 is in both populations (twice in a, once in b); 2 and 3 in one each.
  shared <- kv_shared(c(1, 1, 2, 1, 3), c("a", "a", "a", "b", "b"))
  expect_equal(shared$genotype, 1L)
  expect_equal(c(shared$a, shared$b), c(2L, 1L))
  # Clone sizes 3 and 1: shares of individuals in clones of size x or larger are 1 (x = 1) and
  # 3/4 (x = 3); beta is minus the slope of log10 share on log10 x.
  pareto <- kv_pareto(c(1, 1, 1, 2), rep("a", 4))
  expect_equal(pareto$beta[1], -log10(0.75) / log10(3))
  expect_equal(pareto$r2[1], 1)
})

test_that("a file read into a genind gives what the file gives", {
  plants <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
  x <- kv_read(plants)
  expect_s4_class(x, "genind")
  expect_equal(adegenet::nInd(x), 18)
  expect_equal(as.vector(kv_dist(x)), as.vector(kv_dist(plants)))
  expect_equal(kv_thresholds(x, linkage = "complete"), kv_thresholds(plants, linkage = "complete"))
})

test_that("presence/absence bands are one copy each, 1 present and 8 absent", {
  bands <- matrix(c(1, 0, 1, 1, 0, 0, 1, 1, 0, 1, 0, 1), nrow = 4,
                  dimnames = list(paste0("i", 1:4), paste0("band", 1:3)))
  x <- adegenet::genind(tab = bands, type = "PA", ploidy = 1)
  d <- kv_data(x)
  expect_equal(d$ploidy, 1L)
  expect_equal(unname(d$copies[, 1]), c(1L, 8L, 1L, 1L))
  # Profiles 100, 001, 110, 111: the bands that differ, pair by pair in dist's order.
  expect_equal(as.vector(kv_dist(x, "infinite-allele")), c(2, 1, 2, 3, 2, 1))
  # Dice takes the bands of a genind as it takes those of a file.
  file <- tempfile(fileext = ".txt")
  writeLines(c("bands", "4 1 3 1 1", "P", "1 i1 1 8 8", "1 i2 8 8 1", "1 i3 1 1 8",
               "1 i4 1 1 1"), file)
  expect_equal(as.vector(kv_dist(x, "dice", rounded = TRUE)),
               as.vector(kv_dist(file, "dice", rounded = TRUE)))
})

test_that("groupings take the real distances and real thresholds, as poppr's mlg.filter", {
  data("nancycats", package = "adegenet", envir = environment())
  model <- list(model = "two-phase", repeat_lengths = rep(2, 9),
                partial_genotypes = "combination")
  clones <- function(...) do.call(kv_clones, c(list(nancycats), model, list(...)))
  # poppr: mlg.filter(nancycats, 0.6395, distance = bruvo.dist, replen = rep(2, 9),
  # algorithm = "farthest_neighbor") makes 25 lineages; rounding the distances makes 24.
  expect_equal(max(clones(threshold = 0.6395, linkage = "complete")), 25)
  # Single linkage at every threshold of the table groups as R's hclust cut at that height.
  d <- do.call(kv_dist, c(list(nancycats), model, list(rounded = FALSE)))
  tree <- stats::hclust(d, method = "single")
  counts <- do.call(kv_thresholds, c(list(nancycats), model))
  expect_true(all(counts$threshold <= 1))
  for (k in seq_len(nrow(counts))) {
    expect_equal(max(stats::cutree(tree, h = counts$threshold[k])), counts$genotypes[k])
  }
  at <- counts$threshold[nrow(counts) %/% 2]
  expect_equal(unname(clones(threshold = at)), unname(stats::cutree(tree, h = at)))
})

test_that("a genlight's SNPs are copies of two alleles, missing calls kept", {
  snps <- new("genlight", list(a = c(0, 1, 2), b = c(2, NA, 0), c = c(0, 1, 2)), ploidy = 2,
              pop = c("x", "x", "y"))
  # Stepwise: the copies of the second allele that differ, a missing call counting nothing:
  # a-b 2 + 2 at the first and last SNP, a-c none.
  expect_equal(as.vector(kv_dist(snps)), c(4, 0, 4))
  expect_equal(unname(kv_clones(snps, threshold = 0)), c(1L, 2L, 1L))
  expect_equal(kv_diversity(kv_clones(snps, threshold = 0), c("x", "x", "y"))$n, c(2L, 1L))
})

test_that("mismatch is 1 - IBS over the SNPs called in both, and replicates give the error", {
  snps <- new("genlight", list(a = c(0, 1, 2, 0), b = c(2, NA, 1, 0), c = c(NA, NA, NA, 0)),
              ploidy = 2)
  # a-b: |0 - 2| / 2 + |2 - 1| / 2 + 0 over 3 SNPs; c calls one SNP of four, fewer than half.
  d <- kv_dist(snps, "mismatch", rounded = FALSE)
  expect_equal(as.vector(d), c(1.5 / 3, NA, NA))
  expect_equal(as.vector(kv_dist(snps, "mismatch", rounded = FALSE, min_shared_loci = 1)),
               c(1.5 / 3, 0, 0))
  expect_equal(as.vector(kv_dist(snps, "mismatch")), c(50, NA, NA))
  # a and b as two typings of one sample: 2 of 3 shared SNPs differ, e = 1 - sqrt(1 - 2/3).
  rate <- kv_error_rate(snps, data.frame("a", "b"))
  expect_equal(rate$shared_loci, c(3, 3))
  expect_equal(rate$mismatches, c(2, 2))
  expect_equal(rate$error_rate[2], 1 - sqrt(1 / 3))
  expect_equal(rate$individual_a, c("a", "all"))
  expect_error(kv_error_rate(snps, data.frame("a", "z")), "replicates names 'z'")
})

test_that("the automatic threshold lies between the clone-mate mode and half the unrelated mode", {
  snps <- new("genlight", list(a = c(0, 1, 2, 0), b = c(0, 1, 2, 0), c = c(2, 2, 0, 2),
                               d = c(1, 0, 0, 2), e = c(2, 1, 1, 1)), ploidy = 2)
  # The ten distances: 0, 0.375 twice, 0.5 three times, 0.75 and 0.875 twice; the median 0.5.
  # Below a quarter of it only a-b at 0, raised to half a copy over 4 SNPs, 0.125:
  # sqrt(0.125 x 0.25) = 0.177.
  g <- kv_clones(snps, "auto", "mismatch")
  expect_equal(as.vector(g), c(1L, 1L, 2L, 3L, 4L))
  expect_equal(attr(g, "threshold"), 0.177)
  expect_match(attr(g, "reason"), "clone-mate mode 0.125")
  # d and e typed twice at 0.5: sqrt(0.5 x 0.25) = 0.354.
  typed <- kv_clones(snps, "auto", "mismatch", replicates = data.frame("d", "e"))
  expect_equal(attr(typed, "threshold"), 0.354)
  expect_equal(kv_suggest(snps, "mismatch", simulations = 0)$threshold[3], 0.177)
  expect_error(kv_clones(snps, 0.1, "mismatch", replicates = data.frame("d", "e")),
               "replicates goes with")
  expect_error(kv_clones(snps, "auto"), "auto is chosen on the mismatch distance")
})

test_that("kinship is 1/2 between duplicates and KING's estimate from the counts otherwise", {
  snps <- new("genlight", list(a = c(0, 1, 2, 1, 0), b = c(0, 1, 2, 1, 0),
                               c = c(2, 1, NA, 0, 1)), ploidy = 2)
  kin <- kv_relatedness(snps)
  expect_equal(kin$individual1, c("b", "c", "c"))
  expect_equal(kin$individual2, c("a", "a", "b"))
  expect_equal(kin$shared_loci, c(5, 4, 4))
  # a-c over SNPs 1, 2, 4, 5: HETHET 1 (SNP 2), IBS0 1 (SNP 1), each heterozygous at 2:
  # (2 - 4 - 2 - 2 + 4) / 8.
  expect_equal(kin$kinship[1:2], c(0.5, -0.25))
  expect_equal(kin$mismatch, as.vector(kv_dist(snps, "mismatch", rounded = FALSE,
                                               min_shared_loci = 1)))
  expect_equal(nrow(kv_relatedness(snps, min_kinship = 0.3)), 1)
  # a-b at mismatch 0 are clone mates; the median kinship -0.25 reads 0, so a-c and b-c are
  # unrelated.
  expect_equal(kin$relationship, c("clone", "unrelated", "unrelated"))
})

test_that("distances between a query and a reference are those of each pair", {
  data("nancycats", package = "adegenet", envir = environment())
  model <- list("two-phase", repeat_lengths = rep(2, 9), partial_genotypes = "combination")
  block <- do.call(kv_dist_between, c(list(nancycats[1:4], nancycats[5:9]), model))
  expect_equal(dim(block), c(4L, 5L))
  expect_equal(rownames(block), adegenet::indNames(nancycats)[1:4])
  for (i in 1:4) {
    for (j in 1:5) {
      pair <- do.call(kv_dist, c(list(nancycats[c(i, 4 + j)]), model, list(rounded = FALSE)))
      expect_equal(block[i, j], as.vector(pair))
    }
  }
  expect_error(kv_dist_between(nancycats[1:2], nancycats[3:4, loc = 1:3]), "same loci")
})

test_that("bootstrap intervals of diversity follow the resampling distribution", {
  # Two singletons: a resample holds one clone or both with chance 1/2 each, so H is 0 or ln 2
  # (mean and standard deviation ln 2 / 2) and the 95% interval is ln 2 -/+ 1.96 ln 2 / 2.
  ci <- kv_diversity_ci(c(1, 2), n = 20000, seed = c(8, 9))
  h <- ci[ci$population == "1" & ci$index == "H", ]
  expect_equal(h$observed, log(2))
  expect_equal(h$estimate, log(2) / 2, tolerance = 0.02)
  expect_equal(h$upper - h$observed, qnorm(0.975) * log(2) / 2, tolerance = 0.02)
})

test_that("the library's errors are R errors with its sentence", {
  plants <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
  expect_error(kv_clones(plants, threshold = 1, linkage = "ward"),
               "linkage takes single, complete or average")
  expect_error(kv_dist(plants, "two-phase", repeat_lengths = c(2, 2)), "repeat_lengths lists 2")
  expect_error(kv_dist(file.path(tempdir(), "absent.txt")), "cannot be read")
})

test_that("arguments out of range are errors naming them and their range, never crashes", {
  plants <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
  n <- length(kv_clones(plants, threshold = 0))
  places <- data.frame(x = seq_len(n), y = 0)
  g <- c(1, 1, 2, 3, 1, 2, 2, 4)
  p <- rep(c("a", "b"), each = 4)
  refused <- function(call, message) expect_error(call, message, fixed = TRUE)
  # Each of these ended the R session, ran for days or was taken without a word.
  refused(kv_jackknife(g, p, subsamples = 0),
          "subsamples takes a whole number from 1 to 2,147,483,647, not 0")
  refused(kv_bootstrap(g, p, permutations = -5), "permutations takes a whole number from 1")
  refused(kv_amova(plants, permutations = 1e10),
          "permutations takes a whole number from 0 to 100,000,000, not 1e+10")
  refused(kv_spatial(plants, places, classes = 0),
          "classes takes a whole number from 1 to 10,000, not 0")
  refused(kv_clones(plants, threshold = 1, threads = 1.5),
          "threads takes a whole number from 0 to 2,147,483,647 (0: every core), not 1.5")
  refused(kv_clones(plants, threshold = c(1, 2)), "threshold takes a number of 0 or more")
  refused(kv_clones(plants, threshold = NA),
          "threshold takes a number of 0 or more or \"auto\", not NA")
  refused(kv_clones(plants, threshold = 1, linkage = 3), "linkage takes one word in quotes")
  refused(kv_spatial(plants, places, geographic = NA), "geographic takes TRUE or FALSE, not NA")
  refused(kv_ia(plants, permutations = 9, seed = c(0, 0)),
          "seed takes two whole numbers, the first from 1 to 2,147,483,562")
  # The same setting has its own range in each analysis that takes it.
  refused(kv_suggest(plants, simulations = 1e8),
          "simulations takes a whole number from 0 to 10,000,000")
  refused(kv_psex(plants, simulations = 1e8 + 1),
          "simulations takes a whole number from 0 to 100,000,000")
  refused(kv_diversity_ci(c(1, 2), n = 1), "n takes a whole number from 2")
  refused(kv_diversity_ci(c(1, 2), ci = 100), "ci takes a number above 0 and below 100")
  # Rules of the analyses beyond the ranges come from the library.
  refused(kv_spatial(plants, places, class_limits = 5), "class_limits takes from 2")
  refused(kv_clones(plants, threshold = 0.5, rounded = TRUE), "takes a whole number")
  # The command line refuses in the same words.
  skip_if(Sys.getenv("KELVANE") == "", "KELVANE does not name the kelvane program")
  said <- suppressWarnings(system2(Sys.getenv("KELVANE"),
                                   c("accumulation", plants, "--draws", "0"),
                                   stdout = TRUE, stderr = TRUE))
  expect_match(said, "--draws: takes a whole number from 1 to 100,000,000, not '0'", fixed = TRUE)
  refused(kv_accumulation(plants, draws = 0),
          "draws takes a whole number from 1 to 100,000,000, not 0")
})

test_that("named repeat lengths are matched to the loci by name", {
  plants <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
  loci <- kv_loci(plants)$locus
  lengths <- c(2, 1, 1, 2, 2)
  named <- rev(stats::setNames(lengths, loci))
  expect_equal(kv_dist(plants, "stepwise", repeat_lengths = named),
               kv_dist(plants, "stepwise", repeat_lengths = lengths))
  expect_error(kv_dist(plants, "stepwise", repeat_lengths = c(named, other = 2)), "not a locus")
})

test_that("an AMOVA prints as its table and Phi-st, and is its table as a data.frame", {
  plants <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
  amova <- kv_amova(plants, permutations = 9, seed = c(1, 2))
  expect_s3_class(amova, "kv_amova")
  expect_identical(as.data.frame(amova), amova$table)
  printed <- capture.output(print(amova))
  expect_true(any(grepl(paste0("^Phi-st ", format(amova$phi), ", p "), printed)))
  expect_false(any(grepl("^\\$table", printed)))
})

test_that("a genind's own strata and a formula give the design of a strata data.frame", {
  plants <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
  x <- kv_read(plants)
  sites <- as.character(adegenet::pop(x))
  design <- data.frame(region = ifelse(sites == "Bay", "south", "north"), site = sites)
  adegenet::strata(x) <- design
  given <- kv_amova_design(plants, design, hierarchy = c("region", "site"), permutations = 0)
  expect_equal(kv_amova_design(x, hierarchy = ~region/site, permutations = 0), given)
  expect_equal(kv_amova_design(x, hierarchy = "region/site", permutations = 0), given)
  expect_equal(kv_pairwise_phi(x, hierarchy = ~region/site, permutations = 0),
               kv_pairwise_phi(plants, design, hierarchy = c("region", "site"), permutations = 0))
})

test_that("a genind's diversity is that of its genotypes of identical data by population", {
  plants <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
  x <- kv_read(plants)
  expect_equal(kv_diversity(x, extended = TRUE),
               kv_diversity(kv_clones(plants, threshold = 0), as.character(adegenet::pop(x)),
                            extended = TRUE))
})
