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
cli_cases="$top/tests/cli"
# The targets are those the build made (fuzz/CMakeLists.txt lists them), unless named.
targets=${*:-$(find "$build/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x -exec basename {} \; | sort)}

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
# The same from the command-line cases and fuzz/seeds/formats.
seed_files() {
    corpus=$1
    shift
    find "$cli_cases" "$here/seeds/formats" "$@" -type f -exec sh -c 'for f; do cp "$f" "$0/$(echo "$f" | cksum | cut -d" " -f1)"; done' "$corpus" {} +
}
# The same, each copy after a first byte (written as printf reads it) that the target reads as
# its settings.
seed_with_byte() {
    corpus=$1
    byte=$2
    shift 2
    find "$cli_cases" "$here/seeds/formats" "$@" -type f | while read -r f; do
        { printf "$byte"; cat "$f"; } > "$corpus/$(echo "$f" | cksum | cut -d" " -f1)"
    done
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
        fuzz_genalex_reader) seed_files "$corpus" -name '*.csv' ;;
        fuzz_genepop_reader) seed_files "$corpus" -name '*.gen' ;;
        fuzz_structure_reader) seed_with_byte "$corpus" '\000' -name '*.str'
                               seed_with_byte "$corpus" '\004' -name '*.str' ;;
        fuzz_vcf_reader) seed_with_byte "$corpus" '\000' -name '*.vcf*' ;;
        fuzz_population_file) seed_files "$corpus" -name 'populations*.txt' ;;
        fuzz_command_line_inputs) seed_with_byte "$corpus" '\001' -name 'populations*.txt'
                                  seed_with_byte "$corpus" '\020' -name 'repeat-lengths*.txt'
                                  seed_with_byte "$corpus" '\000' -name 'lower*.txt'
                                  seed_with_byte "$corpus" '\000' -path '*/matrix*' -name '*.tsv' ;;
        fuzz_analysis_settings) for byte in 000 001 002 003 004 005 006 041 102 113; do
                                    printf "\\$byte 0 0 1 1 3 0 6 2 10 0 4 9 0.5 0.01 5" > "$corpus/seed-$byte"
                                done ;;
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
