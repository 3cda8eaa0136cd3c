#!/bin/sh
# The R package's tests: builds the source package from r/kelvane (R CMD build alone), installs it
# into BUILD/r/lib and runs its testthat tests against the programs of BUILD. Where R or the
# packages it needs (Rcpp, adegenet, testthat) are missing, says so and passes.
set -eu
build=${1:?usage: run_tests.sh BUILD_FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$build" && pwd)

if ! command -v Rscript > /dev/null 2>&1 ||
    ! Rscript -e 'for (p in c("Rcpp", "adegenet", "testthat")) if (!requireNamespace(p, quietly = TRUE)) quit(status = 1)' > /dev/null 2>&1; then
    echo "R package tests skipped: R with Rcpp, adegenet and testthat is not installed"
    exit 0
fi

out="$build/r"
rm -rf "$out"
mkdir -p "$out/lib" "$out/source"
# The vignette is rendered below from the installed package, which spares R CMD build a second
# compilation of it.
(cd "$out" && R CMD build --no-build-vignettes "$here/kelvane" > build.log 2>&1) ||
    { cat "$out/build.log"; exit 1; }
tarball=$(ls "$out"/kelvane_*.tar.gz)
MAKEFLAGS="-j${JOBS:-2}" R CMD INSTALL -l "$out/lib" "$tarball" > "$out/install.log" 2>&1 ||
    { tail -40 "$out/install.log"; exit 1; }
tar xzf "$tarball" -C "$out/source"
cd "$out/source/kelvane/tests"
KELVANE="$build/src/kelvane/kelvane" MARSYL="$build/src/marsyl/marsyl" R_LIBS="$out/lib${R_LIBS:+:$R_LIBS}" Rscript testthat.R
# The vignette runs from the installed package, as R CMD build runs it into the tarball's inst/doc.
if Rscript -e 'if (!all(sapply(c("knitr", "rmarkdown"), requireNamespace, quietly = TRUE)) || !rmarkdown::pandoc_available()) quit(status = 1)' > /dev/null 2>&1; then
    R_LIBS="$out/lib${R_LIBS:+:$R_LIBS}" Rscript -e 'rmarkdown::render(commandArgs(TRUE)[1], output_dir = commandArgs(TRUE)[2], quiet = TRUE)' \
        "$out/source/kelvane/vignettes/from-poppr.Rmd" "$out" > "$out/vignette.log" 2>&1 ||
        { cat "$out/vignette.log"; exit 1; }
    echo "vignette rendered: $out/from-poppr.html"
else
    echo "vignette not rendered: knitr, rmarkdown or pandoc is not installed"
fi
