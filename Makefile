# The commands a user types; CMake and CTest do the work.
JOBS ?= 2

FUZZ_SECONDS ?= 60

.PHONY: all test demo bench asan fuzz clean r r-docs

# Every target first installs the Debian packages it needs that are missing (tools/dependencies.sh).
all:
	sh tools/dependencies.sh build
	cmake --preset release > /dev/null
	cmake --build --preset release -j $(JOBS)

test: all
	sh tools/dependencies.sh test
	ctest --preset release -j $(JOBS)
	JOBS=$(JOBS) sh r/run_tests.sh build/release

# The R package's help pages from the roxygen comments of its R files (no compilation).
r-docs:
	Rscript -e 'roxygen2::roxygenise("r/kelvane", roclets = "rd", load_code = roxygen2::load_source)'

# The R package, built from r/kelvane (its vignette too where knitr, rmarkdown and pandoc are
# installed) and installed into the user's R library (R_LIBS_USER), or into RLIB=DIR when given.
RLIB ?=
r:
	sh tools/dependencies.sh r
	mkdir -p build/r-package
	cd build/r-package && MAKEFLAGS=-j$(JOBS) R CMD build $$(Rscript -e 'cat(if (all(sapply(c("knitr", "rmarkdown"), requireNamespace, quietly = TRUE)) && rmarkdown::pandoc_available()) "" else "--no-build-vignettes")' 2> /dev/null || echo --no-build-vignettes) ../../r/kelvane
	lib="$(RLIB)"; [ -n "$$lib" ] || lib="$$(Rscript -e 'cat(Sys.getenv("R_LIBS_USER"))')"; \
	Rscript -e "dir.create('$$lib', recursive = TRUE, showWarnings = FALSE)" && \
	MAKEFLAGS=-j$(JOBS) R CMD INSTALL -l "$$lib" build/r-package/kelvane_*.tar.gz

# Only the two programs are built for the demo.
demo:
	sh tools/dependencies.sh build
	cmake --preset release > /dev/null
	cmake --build --preset release -j $(JOBS) --target kelvane marsyl
	sh examples/run_demo.sh build/release

bench: all
	sh bench/run_benchmarks.sh build/release/bench

asan:
	sh tools/dependencies.sh build
	cmake --preset asan > /dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

fuzz:
	sh tools/dependencies.sh ci
	cmake --preset fuzz > /dev/null
	cmake --build --preset fuzz -j $(JOBS)
	sh fuzz/run_fuzzers.sh build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build demo-output
