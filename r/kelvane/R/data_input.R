# Marker data for the library from what R users hold: a file of any format the programs read (its
# path), a genind object (any ploidy, missing data as adegenet codes them), or a data.frame of
# allele columns.
kv_data <- function(x, ploidy = NULL) {
  if (is.character(x) && length(x) == 1) {
    return(list(file = path.expand(x)))
  }
  if (is.data.frame(x)) {
    if (is.null(ploidy)) stop("a data.frame of allele columns needs its ploidy")
    x <- adegenet::df2genind(x, ploidy = ploidy, sep = "/", NA.char = NA)
  }
  if (inherits(x, "genlight")) {
    return(kv_genlight_data(x))
  }
  if (!inherits(x, "genind")) {
    stop("x must be a file path, a genind, genclone, genlight or snpclone object or a ",
         "data.frame of allele columns")
  }
  populations <- if (is.null(adegenet::pop(x))) rep("1", adegenet::nInd(x)) else
    as.character(adegenet::pop(x))
  if (x@type == "PA") {
    # Presence/absence (dominant markers): one copy per locus, 1 present and 8 absent, as the
    # marker data files write bands (and as Dice's absence code reads them).
    tab <- adegenet::tab(x)
    copies <- ifelse(is.na(tab), 0L, ifelse(tab > 0, 1L, 8L))
    storage.mode(copies) <- "integer"
    return(list(copies = copies, ploidy = 1L, names = adegenet::indNames(x),
                populations = populations, loci = colnames(tab)))
  }
  ploidy <- max(x@ploidy)
  loci <- adegenet::locNames(x)
  n <- adegenet::nInd(x)
  tab <- adegenet::tab(x)
  copies <- matrix(0L, n, length(loci) * ploidy)
  for (k in seq_along(loci)) {
    columns <- which(x@loc.fac == loci[k])
    codes <- suppressWarnings(as.integer(x@all.names[[k]]))
    if (anyNA(codes) || any(codes < 0L)) {
      message("alleles of locus ", loci[k], " are not whole numbers: numbered 1, 2, ... ",
              "in their order")
      codes <- seq_along(codes)
    }
    # Every individual without a missing call holds each allele as many times as it counts, in
    # the order of the alleles; an allele 0 is a missing copy, as the peers code them. All
    # individuals at once: the (individual, allele) cells repeated by their counts, ordered by
    # individual (a stable order keeps the alleles' order), then numbered within individuals.
    counts <- tab[, columns, drop = FALSE]
    rows <- which(rowSums(is.na(counts)) == 0)
    times <- as.vector(counts[rows, , drop = FALSE])
    individual <- rep(rep(rows, times = length(codes)), times = times)
    held <- rep(rep(codes, each = length(rows)), times = times)
    kept <- held != 0L
    individual <- individual[kept]
    held <- held[kept]
    in_order <- order(individual, method = "radix")
    individual <- individual[in_order]
    held <- held[in_order]
    place <- sequence(tabulate(individual, nbins = n)[unique(individual)])
    copies[cbind(individual, (k - 1) * ploidy + place)] <- held
  }
  list(copies = copies, ploidy = ploidy, names = adegenet::indNames(x),
       populations = populations, loci = loci)
}

# A genlight or snpclone (biallelic SNPs): per individual and locus the count of the second
# allele, written as copies of alleles 1 and 2 at the individual's ploidy; a missing call leaves
# every copy missing, as the SNP path of the programs keeps it.
kv_genlight_data <- function(x) {
  counts <- as.matrix(x)
  n <- nrow(counts)
  ploidies <- adegenet::ploidy(x)
  if (length(ploidies) == 1) ploidies <- rep(ploidies, n)
  ploidy <- max(ploidies)
  loci <- adegenet::locNames(x)
  if (is.null(loci)) loci <- paste0("L", seq_len(ncol(counts)))
  copies <- matrix(0L, n, length(loci) * ploidy)
  for (k in seq_along(loci)) {
    for (copy in seq_len(ploidy)) {
      # Copy c of an individual of ploidy p holding a second alleles: 2 for c > p - a.
      allele <- ifelse(copy > ploidies, 0L, ifelse(copy > ploidies - counts[, k], 2L, 1L))
      allele[is.na(allele)] <- 0L
      copies[, (k - 1) * ploidy + copy] <- as.integer(allele)
    }
  }
  names <- adegenet::indNames(x)
  if (is.null(names)) names <- as.character(seq_len(n))
  populations <- if (is.null(adegenet::pop(x))) rep("1", n) else as.character(adegenet::pop(x))
  list(copies = copies, ploidy = ploidy, names = names, populations = populations, loci = loci)
}

# The arguments of the distance model with their defaults, as every analysis that computes
# distances takes them: one list, put into each such function's arguments by kv_with_model, so
# that a new model setting is added here and in kv_model only.
kv_model_arguments <- alist(model = "stepwise", missing = "not-counted", multiplier = NULL,
                            base = NULL, repeat_lengths = NULL, repeat_rounding = NULL,
                            partial_genotypes = NULL)

# The function f with the model arguments placed after its argument `after`, their defaults
# replaced by those given in ... (such as model = NULL).
kv_with_model <- function(f, after, ...) {
  model_arguments <- kv_model_arguments
  changed <- list(...)
  for (name in names(changed)) model_arguments[name] <- list(changed[[name]])
  arguments <- formals(f)
  first <- seq_len(match(after, names(arguments)))
  formals(f) <- c(arguments[first], model_arguments, arguments[-first])
  f
}

# kv_model of the model arguments of the function that calls it, with the further settings in ....
kv_model_of <- function(...) {
  env <- parent.frame()
  kv_model(env$model, env$missing, env$multiplier, env$base, env$repeat_lengths,
           env$repeat_rounding, env$partial_genotypes, ...)
}

# The model options in the words of the command line.
kv_model <- function(model, missing, multiplier, base, repeat_lengths, repeat_rounding,
                     partial_genotypes, absence_code = NULL, rounded = TRUE,
                     min_shared_loci = NULL) {
  words <- function(v) {
    if (is.null(v)) NULL else paste(format(v, scientific = FALSE, trim = TRUE), collapse = ",")
  }
  # Named lengths are matched to the loci by name, as locus=length pieces.
  if (is.numeric(repeat_lengths) && !is.null(names(repeat_lengths))) {
    repeat_lengths <- paste0(names(repeat_lengths), "=",
                             format(repeat_lengths, scientific = FALSE, trim = TRUE),
                             collapse = ",")
  }
  list(distance = model, missing = as.character(missing), multiplier = words(multiplier),
       base = words(base), absence_code = words(absence_code),
       repeat_lengths = words(repeat_lengths), repeat_rounding = repeat_rounding,
       partial_genotypes = partial_genotypes, min_shared_loci = words(min_shared_loci),
       unrounded = !rounded)
}

# The clonal genotypes and populations of a diversity analysis: given, or of a genind or genclone
# its multilocus genotypes of identical data and its populations.
kv_sample <- function(genotypes, populations) {
  if (inherits(genotypes, "genind")) {
    x <- genotypes
    populations <- if (is.null(adegenet::pop(x))) rep("1", adegenet::nInd(x)) else
      as.character(adegenet::pop(x))
    genotypes <- kv_clones(x, threshold = 0, rounded = TRUE)
  }
  if (length(genotypes) != length(populations)) {
    stop("genotypes and populations must be as long as each other", call. = FALSE)
  }
  list(genotypes = as.integer(genotypes), populations = as.character(populations))
}
