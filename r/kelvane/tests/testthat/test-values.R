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

test_that("the library's errors are R errors with its sentence", {
  plants <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
  expect_error(kv_clones(plants, threshold = 1, linkage = "ward"),
               "linkage takes single, complete or average")
  expect_error(kv_dist(plants, "two-phase", repeat_lengths = c(2, 2)), "repeat_lengths lists 2")
  expect_error(kv_dist(file.path(tempdir(), "absent.txt")), "cannot be read")
})
