#!/bin/sh
# The library as another project uses it: installed into an empty prefix, the example of
# examples/api is built out of tree against that prefix alone and must print, for every data
# file given, exactly what `kelvane thresholds DATA` and `kelvane amova DATA --permutations 99`
# print. The installed headers must not reach the console, the command line or the plotting.
# Usage: library_consumer.sh SOURCE_DIR BUILD_DIR KELVANE DATA...
set -eu
source_dir=$1
build_dir=$2
kelvane=$3
shift 3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build_dir" --prefix "$prefix" > "$work/install.log"
for face in 'CLI/CLI.hpp' '"plot/' 'dialogue/' 'common/cli/'; do
    if grep -rl "$face" "$prefix/include" > "$work/found"; then
        echo "installed headers include $face:"; cat "$work/found"; exit 1
    fi
done
if find "$prefix" -name '*.a' | grep -E 'cli|dialogue|plot'; then
    echo "a library of a face was installed"; exit 1
fi

cmake -S "$source_dir/examples/api" -B "$work/example" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_BUILD_TYPE=Release > "$work/configure.log" ||
    { cat "$work/configure.log"; exit 1; }
cmake --build "$work/example" > "$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }

status=0
for data in "$@"; do
    # A data set the AMOVA refuses fails both ways after the thresholds.
    example_status=0
    "$work/example/thresholds_and_amova" "$data" > "$work/example.out" 2> /dev/null ||
        example_status=$?
    command_status=0
    { "$kelvane" thresholds "$data" --quiet && "$kelvane" amova "$data" --permutations 99 --quiet; } \
        > "$work/command.out" 2> /dev/null || command_status=$?
    if ! diff -u "$work/command.out" "$work/example.out" || [ $example_status -ne $command_status ]; then
        echo "the example differs from the commands on $data"; status=1
    fi
done
exit $status
