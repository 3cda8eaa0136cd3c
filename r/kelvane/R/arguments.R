# Every function's arguments checked before any work, the numbers against the library's table of
# setting ranges (the one the command line's options are checked against), so that an argument
# out of range is an error naming it and its range, never a crash or a value silently changed.

# The row of the table each numeric argument is checked against, unless a function names
# another (the permutations of marsyl's tests and the simulations of psex have other ranges).
kv_number_keys <- list(threads = "threads", threshold = "threshold",
                       permutations = "permutations", draws = "draws",
                       simulations = "suggest.simulations", fraction = "fraction",
                       alpha = "alpha", classes = "spatial.classes", n = "ci",
                       ci = "percent.ci", subsamples = "subsamples", rarefy = "rarefy",
                       ploidy = "ploidy", seed = "seed", min_shared_loci = "min_shared_loci",
                       min_kinship = "min_kinship")

# Numeric arguments that also take the word "auto".
kv_auto <- c("threshold")

kv_flags <- c("rounded", "geographic", "equal_pairs", "clone_correct", "within",
              "by_population", "fis", "all", "extended", "partition", "pairs")

kv_words <- c("model", "missing", "linkage", "analysis", "level", "frequencies", "rr_fill",
              "method", "euclidean", "adjust", "repeat_rounding", "partial_genotypes")

# A value as an error shows it, cut short.
kv_shown <- function(value) {
  text <- paste(deparse(value), collapse = " ")
  if (nchar(text) > 40) paste0(substr(text, 1, 37), "...") else text
}

# Checks the arguments of the function that calls it, named ones with the rows given in ....
# An argument whose default is NULL may be NULL.
kv_check_args <- function(...) {
  keys <- utils::modifyList(kv_number_keys, list(...))
  caller <- sys.function(sys.parent())
  env <- parent.frame()
  defaults <- formals(caller)
  for (name in names(defaults)) {
    if (!(name %in% c(names(keys), kv_flags, kv_words))) next
    value <- get(name, envir = env)
    if (is.null(value) && is.null(defaults[[name]])) next
    if (name %in% kv_auto && identical(value, "auto")) next
    if (name %in% names(keys)) {
      if (!is.numeric(value) || !kv_in_range_cpp(keys[[name]], as.numeric(value))) {
        stop(name, " takes ", kv_range_words_cpp(keys[[name]]),
             if (name %in% kv_auto) " or \"auto\"", ", not ", kv_shown(value), call. = FALSE)
      }
    } else if (name %in% kv_flags) {
      if (!is.logical(value) || length(value) != 1 || is.na(value)) {
        stop(name, " takes TRUE or FALSE, not ", kv_shown(value), call. = FALSE)
      }
    } else if (!is.character(value) || length(value) != 1 || is.na(value)) {
      stop(name, " takes one word in quotes, not ", kv_shown(value), call. = FALSE)
    }
  }
  invisible(NULL)
}

# The two columns of sample names of a data.frame or matrix of replicate pairs, as a list of two
# character vectors (both empty for NULL).
kv_replicate_names <- function(replicates) {
  if (is.null(replicates)) return(list(character(), character()))
  replicates <- as.data.frame(replicates, stringsAsFactors = FALSE)
  if (ncol(replicates) < 2) {
    stop("replicates takes two columns of sample names, one row per pair", call. = FALSE)
  }
  list(as.character(replicates[[1]]), as.character(replicates[[2]]))
}
