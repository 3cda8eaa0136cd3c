#!/bin/sh
# Runs every fuzz target (or those named) for the given number of seconds each, one after the
# other, starting from seed corpora gathered from the session tests and fuzz/seeds. Findings are
# written to BUILD/artifacts/<target>/; the script fails when any target found something.
set -u
build=$(cd "${1:?usage: run_fuzzers.sh FUZZ_BUILD_FOLDER SECONDS [TARGET...]}" && pwd)
seconds=${2:?usage: run_fuzzers.sh FUZZ_BUILD_FOLDER SECONDS [TARGET...]}
shift 2
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
sessions="$top/tests/sessions"
targets=${*:-"fuzz_marker_table fuzz_fstat_reader fuzz_clonal_file fuzz_matrix_import fuzz_kelvane_dialogue fuzz_marsyl_dialogue"}

# The dialogue targets work in a folder of their own: every path given to libFuzzer is absolute.
# Huge allocations fail with std::bad_alloc, as they do outside the sanitizers, so that the
# programs' own messages for them are exercised.
export ASAN_OPTIONS=${ASAN_OPTIONS:-allocator_may_return_null=1}

# Copies the files matching a find expression under the session cases into a corpus folder.
seed() {
    corpus=$1
    shift
    find "$sessions" "$@" -type f -exec sh -c 'for f; do cp "$f" "$0/$(echo "$f" | cksum | cut -d" " -f1)"; done' "$corpus" {} +
}

status=0
for target in $targets; do
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    case $target in
        fuzz_marker_table) seed "$corpus" -path '*/kelvane/*' -name '*.txt' ! -name answers.txt ! -path '*/expected/*' ;;
        fuzz_fstat_reader) seed "$corpus" -path '*/kelvane/*' -name '*.dat' ;;
        fuzz_clonal_file) seed "$corpus" -path '*/marsyl/*' -name '*.txt' ! -name answers.txt ! -path '*/expected/*' ;;
        fuzz_matrix_import) seed "$corpus" -path '*/kelvane/*' -name '*.txt' ! -name answers.txt ;;
        fuzz_kelvane_dialogue) seed "$corpus" -path '*/kelvane/*' -name answers.txt
                               cp "$here"/seeds/kelvane/* "$corpus/" ;;
        fuzz_marsyl_dialogue) seed "$corpus" -path '*/marsyl/*' -name answers.txt
                              cp "$here"/seeds/marsyl/* "$corpus/" ;;
    esac
    echo "== $target: $seconds s"
    if ! "$build/fuzz/$target" "$corpus" -max_total_time="$seconds" -timeout=30 \
        -rss_limit_mb=4096 -artifact_prefix="$artifacts/" -print_final_stats=1 2>"$build/$target.log"; then
        status=1
        echo "FINDING in $target: see $build/$target.log and $artifacts/"
    fi
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$build/$target.log" || true
done
exit $status
