#!/bin/sh
# The Debian packages the project needs, listed once, and their installation: what is missing of
# a set is installed with apt-get (as root, or through sudo); without either, the one command to
# run is printed and the script fails.
#
#   tools/dependencies.sh build   compilers, CMake and the libraries the programs and tests link
#   tools/dependencies.sh test    build, python3 and Chromium for the tests of figures, plink 2
#                                 and plink 1.9 for kinship and 1 - IBS against them, and R with
#                                 the package's test dependencies (testthat, igraph, and knitr,
#                                 rmarkdown and pandoc for its vignette)
#   tools/dependencies.sh ci      test, and clang with libFuzzer for the fuzz targets
#   tools/dependencies.sh r       R with Rcpp and adegenet: what installing the R package needs
set -eu
set_name=${1:?usage: dependencies.sh build|test|ci|r}

# Each entry: a Debian package and how to tell that it is there (a command or a file).
build="g++:cmd:g++ cmake:cmd:cmake make:cmd:make pkg-config:cmd:pkg-config
libgtest-dev:file:/usr/include/gtest/gtest.h libgmock-dev:file:/usr/include/gmock/gmock.h
libbenchmark-dev:file:/usr/include/benchmark/benchmark.h libcli11-dev:file:/usr/include/CLI/CLI.hpp
libhts-dev:file:/usr/include/htslib/vcf.h libsqlite3-dev:file:/usr/include/sqlite3.h"
test="python3:cmd:python3 chromium:cmd:chromium plink2:cmd:plink2 plink1.9:cmd:plink1.9"
ci="clang:cmd:clang++ libclang-rt-14-dev:glob:/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a"
r="r-base-dev:cmd:Rscript r-cran-rcpp:file:/usr/lib/R/site-library/Rcpp/DESCRIPTION
r-cran-adegenet:file:/usr/lib/R/site-library/adegenet/DESCRIPTION"
r_tests="r-cran-testthat:file:/usr/lib/R/site-library/testthat/DESCRIPTION
r-cran-igraph:file:/usr/lib/R/site-library/igraph/DESCRIPTION
r-cran-knitr:file:/usr/lib/R/site-library/knitr/DESCRIPTION
r-cran-rmarkdown:file:/usr/lib/R/site-library/rmarkdown/DESCRIPTION pandoc:cmd:pandoc"

case $set_name in
    build) wanted=$build ;;
    test) wanted="$build $test $r $r_tests" ;;
    ci) wanted="$build $test $r $r_tests $ci" ;;
    r) wanted="$build $r" ;;
    *) echo "usage: dependencies.sh build|test|ci|r" >&2; exit 2 ;;
esac

missing=""
for entry in $wanted; do
    package=${entry%%:*}
    rest=${entry#*:}
    kind=${rest%%:*}
    probe=${rest#*:}
    case $kind in
        cmd) command -v "$probe" > /dev/null 2>&1 && continue ;;
        file) [ -f "$probe" ] && continue ;;
        glob) ls $probe > /dev/null 2>&1 && continue ;;
    esac
    missing="$missing $package"
done
[ -z "$missing" ] && exit 0

echo "installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
elif command -v sudo > /dev/null 2>&1 && sudo -n true 2> /dev/null; then
    sudo apt-get update -qq
    sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
else
    echo "these Debian packages are missing; install them and run make again:" >&2
    echo "    sudo apt-get install$missing" >&2
    exit 1
fi
