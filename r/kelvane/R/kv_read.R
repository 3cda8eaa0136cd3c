#' Read marker data into a genind
#'
#' Reads a file of any format the programs read (the marker data file, FSTAT, GenAlEx, Genepop,
#' STRUCTURE, VCF) into an adegenet \code{genind}, populations set and ploidy kept. Copies a
#' genotype lacks are written as allele 0, as the peers write them; a genotype without any copy
#' is NA.
#'
#' @param path the file.
#' @return a genind object.
#' @examples
#' f <- system.file("extdata", "clonal_plants.txt", package = "kelvane")
#' kv_read(f)
#' @export
kv_read <- function(path) {
  d <- kv_read_cpp(path.expand(path))
  ploidy <- d$ploidy
  columns <- lapply(seq_along(d$loci), function(k) {
    block <- d$copies[, (k - 1) * ploidy + seq_len(ploidy), drop = FALSE]
    genotypes <- apply(block, 1, function(copies) {
      if (all(copies == 0L)) NA_character_ else paste(sort(copies), collapse = "/")
    })
    genotypes
  })
  frame <- as.data.frame(columns, stringsAsFactors = FALSE, col.names = d$loci)
  adegenet::df2genind(frame, sep = "/", ploidy = ploidy, ind.names = d$names,
                      pop = d$populations, loc.names = d$loci, NA.char = NA)
}
