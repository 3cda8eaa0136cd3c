# Every function against the command it stands for, on the same file and seeds: the program is
# the one KELVANE names (the build's, when make test runs these tests).
program <- Sys.getenv("KELVANE")
marsyl <- Sys.getenv("MARSYL")
plants <- system.file("extdata", "clonal_plants.txt", package = "kelvane")

command_table <- function(..., of = program, notes = FALSE) {
  errors <- tempfile()
  lines <- system2(of, c(...), stdout = TRUE, stderr = errors)
  table <- utils::read.delim(text = paste(lines, collapse = "\n"), stringsAsFactors = FALSE,
                             na.strings = "NA", check.names = FALSE)
  # A column of nothing but NA reads as logical; the functions give it its numeric type.
  table[] <- lapply(table, function(column) {
    if (is.logical(column) && all(is.na(column))) as.numeric(column) else column
  })
  # The command's notes, as the functions give them in the attribute "notes".
  said <- grep("^kelvane: note: ", readLines(errors), value = TRUE)
  if (notes && length(said) > 0) attr(table, "notes") <- sub("^kelvane: note: ", "", said)
  table
}

test_that("the functions give the commands' tables", {
  skip_if(program == "", "KELVANE does not name the kelvane program")
  expect_equal(kv_thresholds(plants), command_table("thresholds", plants))
  # Average linkage on the real distances merges at real means; rounded, at whole thresholds.
  expect_equal(kv_thresholds(plants, linkage = "average"),
               command_table("thresholds", plants, "--linkage", "average", "--unrounded"))
  expect_equal(kv_thresholds(plants, linkage = "average", rounded = TRUE),
               command_table("thresholds", plants, "--linkage", "average"))
  clones <- command_table("clones", plants, "--threshold", "4")
  expect_equal(unname(kv_clones(plants, threshold = 4)), clones$genotype)
  expect_equal(names(kv_clones(plants, threshold = 4)), clones$individual)
  expect_equal(kv_suggest(plants, simulations = 500, seed = c(3, 4)),
               command_table("suggest", plants, "--simulations", "500", "--seed", "3,4"))
  # Guessed repeat lengths: the notes on the distances come with the table, as the command's.
  guessed <- kv_suggest(plants, "two-phase", repeat_lengths = "auto", simulations = 0,
                        rounded = TRUE)
  expect_equal(guessed, command_table("suggest", plants, "--distance", "two-phase",
                                      "--repeat-lengths", "auto", "--simulations", "0",
                                      notes = TRUE))
  expect_match(attr(guessed, "notes")[1], "repeat")
  expect_equal(kv_loci(plants), command_table("loci", plants))
  sites <- as.character(adegenet::pop(kv_read(plants)))
  strata <- data.frame(region = ifelse(sites == "Bay", "south", "north"), site = sites)
  strata_file <- tempfile(fileext = ".tsv")
  utils::write.table(cbind(name = adegenet::indNames(kv_read(plants)), strata), strata_file,
                     sep = "\t", quote = FALSE, row.names = FALSE)
  expect_equal(kv_amova_design(plants, strata, c("region", "site"), within = TRUE,
                               permutations = 99, seed = c(5, 6)),
               command_table("amova", plants, "--strata", strata_file, "--hierarchy",
                             "region/site", "--within", "--permutations", "99", "--seed", "5,6",
                             notes = TRUE))
  expect_equal(kv_pairwise_phi(plants, euclidean = "lingoes", permutations = 99,
                               adjust = "holm", seed = c(5, 6)),
               command_table("amova", plants, "--pairwise", "--euclidean", "lingoes",
                             "--permutations", "99", "--adjust", "holm", "--seed", "5,6",
                             notes = TRUE))
  names <- adegenet::indNames(kv_read(plants))
  places <- data.frame(x = seq_along(names) %% 4, y = seq_along(names) %/% 4)
  places_file <- tempfile(fileext = ".tsv")
  utils::write.table(cbind(individual = names, places), places_file, sep = "\t", quote = FALSE,
                     row.names = FALSE)
  expect_equal(kv_spatial(plants, places, "aggregation", threshold = 2, permutations = 99,
                          seed = c(5, 6)),
               command_table("spatial", "aggregation", plants, "--coordinates", places_file,
                             "--threshold", "2", "--permutations", "99", "--seed", "5,6"))
  expect_equal(kv_spatial(plants, places, "autocorrelation", classes = 3, permutations = 99,
                          seed = c(5, 6))$classes,
               command_table("spatial", "autocorrelation", plants, "--coordinates",
                             places_file, "--classes", "3", "--permutations", "99", "--seed",
                             "5,6"))
  amova <- kv_amova(plants, permutations = 99, seed = c(5, 6))
  table <- command_table("amova", plants, "--permutations", "99", "--seed", "5,6", notes = TRUE)
  expect_equal(amova$table, table)
  expect_match(attr(table, "notes"), "these are stepwise distances, which are not squared")
  expect_equal(c(amova$phi, amova$p), c(table$phi_st[2], table$p[2]))
  expect_equal(kv_ia(plants, permutations = 99, seed = c(7, 8)),
               command_table("ia", plants, "--permutations", "99", "--seed", "7,8"))
  expect_equal(kv_pair_ia(plants, permutations = 19, seed = c(7, 8)),
               command_table("ia", plants, "--pairs", "--permutations", "19", "--seed", "7,8"))
  expect_equal(kv_accumulation(plants, draws = 50, seed = c(9, 10)),
               command_table("accumulation", plants, "--draws", "50", "--seed", "9,10"))
  expect_equal(kv_psex(plants), command_table("psex", plants))
  expect_equal(kv_psex(plants, threshold = 2, frequencies = "genet", simulations = 50,
                       seed = c(11, 12)),
               command_table("psex", plants, "--threshold", "2", "--frequencies", "genet",
                             "--simulations", "50", "--seed", "11,12"))
  network <- kv_network(plants, threshold = 2)
  nodes <- if (inherits(network, "igraph")) igraph::vcount(network) else nrow(network$nodes)
  expect_equal(nodes, max(kv_clones(plants, threshold = 2)))
  square <- command_table("distances", plants, "--distance", "two-phase", "--unrounded")
  d <- as.matrix(kv_dist(plants, "two-phase", rounded = FALSE))
  expect_equal(unname(d), unname(as.matrix(square[, -1])), tolerance = 1e-15)
})

test_that("a registry built in batches holds the clones of all samples, as the command lists", {
  skip_if(program == "", "KELVANE does not name the kelvane program")
  x <- kv_read(plants)
  registry <- tempfile(fileext = ".sqlite")
  first <- kv_registry_add(registry, x[c(1, 4, 7, 10, 13, 16)], threshold = 2)
  expect_true(all(first$status == "new") && all(is.na(first$nearest)))
  second <- kv_registry_query(registry, x[-c(1, 4, 7, 10, 13, 16)])
  expect_equal(kv_registry_add(registry, x[-c(1, 4, 7, 10, 13, 16)]), second)
  samples <- kv_registry_samples(registry)
  clones <- kv_clones(plants, threshold = 2)
  same_groups <- function(a, b) {
    sort(sapply(split(a, b), function(g) paste(sort(g), collapse = " ")))
  }
  expect_equal(unname(same_groups(samples$individual, samples$genet)),
               unname(same_groups(names(clones), clones)))
  expect_equal(samples, command_table("registry", "samples", registry))
  expect_equal(kv_registry_genets(registry), command_table("registry", "genets", registry))
  expect_error(kv_registry_add(registry, x[2]), "holds samples of these names")
  expect_error(kv_registry_add(registry, x[2], threshold = 3), "threshold is 2, not 3")
})

test_that("the network's attributes are those of its GraphML file", {
  skip_if(program == "", "KELVANE does not name the kelvane program")
  skip_if_not_installed("igraph")
  file <- tempfile(fileext = ".graphml")
  system2(program, c("network", plants, "--threshold", "2", "--out", file))
  from_file <- igraph::read_graph(file, format = "graphml")
  network <- kv_network(plants, threshold = 2)
  expect_equal(igraph::E(network)$weight, igraph::E(from_file)$weight)
  attributes <- setdiff(igraph::vertex_attr_names(from_file), c("id", "genotype"))
  expect_setequal(attributes, c("size", "individuals", "pop_Lake", "pop_River", "pop_Bay"))
  for (attribute in attributes) {
    expect_equal(igraph::vertex_attr(network, attribute),
                 igraph::vertex_attr(from_file, attribute), label = attribute)
  }
  # igraph's own algorithms read the weights (a graph without them gives a spanning tree of none).
  expect_gt(sum(igraph::E(igraph::mst(network))$weight), 0)
})

test_that("the functions of clonal diversity give marsyl's tables", {
  skip_if(marsyl == "", "MARSYL does not name the marsyl program")
  genotypes <- c(1, 1, 2, 3, 3, 4, 1, 5, 5, 6, 7, 7)
  populations <- rep(c("North", "South"), each = 6)
  file <- tempfile(fileext = ".txt")
  writeLines(c("Clonal genotypes", "2", "North", "South",
               paste(ifelse(populations == "North", 1, 2), genotypes)), file)
  expect_equal(kv_diversity(genotypes, populations), command_table("indices", file, of = marsyl))
  expect_equal(kv_diversity(genotypes, populations, extended = TRUE),
               command_table("indices", file, "--extended", of = marsyl))
  expect_equal(kv_pareto(genotypes, populations), command_table("pareto", file, of = marsyl))
  expect_equal(kv_bootstrap(genotypes, populations, permutations = 200, seed = c(1, 2)),
               command_table("bootstrap", file, "--permutations", "200", "--seed", "1,2",
                             of = marsyl))
  expect_equal(kv_differentiation(genotypes, populations, permutations = 200, seed = c(1, 2)),
               command_table("differentiation", file, "--permutations", "200", "--seed", "1,2",
                             of = marsyl))
  expect_equal(kv_jackknife(genotypes, populations, subsamples = 30, seed = c(3, 4)),
               command_table("jackknife", file, "--permutations", "30", "--seed", "3,4",
                             of = marsyl))
  intervals <- kv_diversity_ci(genotypes, populations, n = 300, ci = 90, seed = c(5, 6))
  expect_equal(intervals, command_table("indices", file, "--ci", "300", "--ci-level", "0.9",
                                        "--seed", "5,6", of = marsyl))
  # The observed values are the extended statistics: Stoddart and Taylor's G among them.
  extended <- kv_diversity(genotypes, populations, extended = TRUE)
  expect_equal(intervals$observed[intervals$index == "G"], extended$stoddart_taylor)
  expect_equal(intervals$observed[intervals$index == "H"], extended$H)
})
