#' kelvane: clonal genotypes, the evidence for clones and clonal diversity
#'
#' The library behind the kelvane and marsyl programs, called from R: every function makes the
#' same call as the command of its name and gives the same numbers.
#'
#' @useDynLib kelvane, .registration = TRUE
#' @importFrom Rcpp evalCpp
#' @keywords internal
"_PACKAGE"
