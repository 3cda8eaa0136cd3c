#' Add a batch of samples to a genet registry
#'
#' A registry is an SQLite file that remembers every sample added and its genet, as
#' \code{kelvane registry add}. The first batch makes the file and fixes its loci, ploidy,
#' distance model and threshold; every sample then joins, by single linkage at the threshold, the
#' genets of the stored samples it lies within the threshold of, or founds a new genet (G1, G2,
#' ... in order of founding, never reused). A sample linking two genets merges them into the
#' older name. After any sequence of batches the genets are \code{kv_clones} of all their samples
#' at the threshold. A batch is stored whole or not at all.
#'
#' @param registry the registry file.
#' @param x the batch's data, as \code{kv_dist} takes it.
#' @param threshold the threshold (whole); NULL takes the registry's. A new registry needs one.
#' @param model the distance model as in \code{kv_dist}, with the settings below; NULL takes the
#'   registry's (the stepwise distance for a new registry). Distances that depend on the whole
#'   data set (missing copies as the locus average, guessed repeat lengths or lengths rounded
#'   relative to the data) are refused: each batch computes only its own.
#' @param missing,multiplier,base,repeat_lengths,repeat_rounding,partial_genotypes as in
#'   \code{kv_dist}, with \code{model}.
#' @param min_shared_loci mismatch: as in \code{kv_clones}, with \code{model}.
#' @param source what the batch is called in the registry (its table \code{batches}).
#' @inheritParams kv_dist
#' @return a data.frame with columns \code{individual}, \code{population}, \code{genet},
#'   \code{status} (\code{new}, \code{joined} or \code{merged}), \code{nearest} (the stored sample
#'   closest to it) and \code{distance}; attributes \code{batch}, \code{founded} (new genets) and
#'   \code{merges}.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' registry <- tempfile(fileext = ".sqlite")
#' kv_registry_add(registry, f, threshold = 2)
#' kv_registry_genets(registry)
#' @export
kv_registry_add <- kv_with_model(function(registry, x, threshold = NULL, min_shared_loci = NULL,
                                          source = if (is.character(x)) x
                                                   else deparse(substitute(x)),
                                          threads = 0L, ploidy = NULL) {
  kv_check_args()
  words <- if (is.null(model)) NULL else
    kv_model_of(min_shared_loci = min_shared_loci)
  kv_registry_add_cpp(path.expand(registry), kv_data(x, ploidy), words,
                      if (is.null(threshold)) NULL else as.numeric(threshold),
                      paste(source, collapse = " "), as.integer(threads))
}, after = "threshold", model = NULL)

#' Where a batch would go in a genet registry
#'
#' The rows \code{kv_registry_add} would give the samples, storing nothing, as
#' \code{kelvane registry query}.
#'
#' @inheritParams kv_registry_add
#' @return as \code{kv_registry_add}.
#' @export
kv_registry_query <- function(registry, x, threads = 0L, ploidy = NULL) {
  kv_check_args()
  kv_registry_query_cpp(path.expand(registry), kv_data(x, ploidy), as.integer(threads))
}

#' The genets of a registry
#'
#' As \code{kelvane registry genets}: a row per genet ever founded, in order of founding.
#'
#' @inheritParams kv_registry_add
#' @return a data.frame with columns \code{genet}, \code{ramets}, \code{populations}
#'   (comma-separated, in order of first addition), \code{first_batch} (that founded it),
#'   \code{last_batch} (the last that added a ramet to it) and \code{merged_into} (NA for a genet
#'   that stands).
#' @export
kv_registry_genets <- function(registry) {
  kv_registry_genets_cpp(path.expand(registry))
}

#' The samples of a registry
#'
#' As \code{kelvane registry samples}: a row per stored sample, in order of addition.
#'
#' @inheritParams kv_registry_add
#' @return a data.frame with columns \code{individual}, \code{population}, \code{genet} and
#'   \code{batch}.
#' @export
kv_registry_samples <- function(registry) {
  kv_registry_samples_cpp(path.expand(registry))
}
