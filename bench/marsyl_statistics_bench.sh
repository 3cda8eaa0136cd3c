#!/bin/sh
# marsyl's statistics of clone sizes at scale: indices --extended, pareto and shared (with and
# without --all) on 100 populations of 10000 individuals whose genotype numbers run to 10^6,
# each run as a user runs it (reading the file, writing the table). Each must end within 1 s.
# Reported: the least wall time of three runs, the processor time (user + system) of that run,
# which shared machines disturb less, and the ratio to the classic indices on the same file.
set -e
build=$(cd "${1:?usage: marsyl_statistics_bench.sh BUILD_FOLDER}" && pwd)
marsyl="$build/src/marsyl/marsyl"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/clonal_file_tool" 100 10000 1000000 "$work/clonal.txt"

# best COMMAND...: "wall cpu" of the run with the least wall time of three, in seconds.
best() {
    least="1e9 0"
    for run in 1 2 3; do
        if [ -x /usr/bin/time ]; then
            /usr/bin/time -f '%e %U %S' -o "$work/time.txt" "$@" > /dev/null
            this=$(awk '{ print $1, $2 + $3 }' "$work/time.txt")
        else
            start=$(date +%s.%N)
            "$@" > /dev/null
            this="$(awk "BEGIN { print $(date +%s.%N) - $start }") NA"
        fi
        least=$(printf '%s\n%s\n' "$least" "$this" | sort -g | head -n 1)
    done
    echo "$least"
}
classic=$(best "$marsyl" indices "$work/clonal.txt" --out "$work/out.tsv")
row() {
    echo "$2" | awk -v what="$1" -v classic="${classic% *}" '{
        printf "%-36s wall %6.3f s (%5.1f%% of 1 s)  cpu %6s s  %5.2f x indices\n",
               what, $1, 100 * $1, $2, $1 / classic }'
}
echo "marsyl on 100 populations x 10000 individuals, codes to 10^6 (best of 3)"
row "indices (classic, for comparison)" "$classic"
row "indices --extended" "$(best "$marsyl" indices "$work/clonal.txt" --extended --out "$work/out.tsv")"
row "indices --extended --rarefy 5000" \
    "$(best "$marsyl" indices "$work/clonal.txt" --extended --rarefy 5000 --out "$work/out.tsv")"
row "pareto" "$(best "$marsyl" pareto "$work/clonal.txt" --out "$work/out.tsv")"
row "shared" "$(best "$marsyl" shared "$work/clonal.txt" --out "$work/out.tsv")"
row "shared --all" "$(best "$marsyl" shared "$work/clonal.txt" --all --out "$work/out.tsv")"
