# The commands a user types; CMake and CTest do the work.
JOBS ?= 2

FUZZ_SECONDS ?= 60

.PHONY: all test demo bench asan fuzz clean

all:
	cmake --preset release > /dev/null
	cmake --build --preset release -j $(JOBS)

test: all
	ctest --preset release -j $(JOBS)

demo: all
	sh examples/run_demo.sh build/release

bench: all
	sh bench/run_benchmarks.sh build/release/bench

asan:
	cmake --preset asan > /dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

fuzz:
	cmake --preset fuzz > /dev/null
	cmake --build --preset fuzz -j $(JOBS)
	sh fuzz/run_fuzzers.sh build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build demo-output
