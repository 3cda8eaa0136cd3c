#!/bin/sh
# Every command of the command line against the dialogue doing the same work on the same data,
# timed in one run: kelvane on 3000 individuals at 10 diploid loci (stepwise distances), marsyl
# on five populations of clonal genotypes. The command's time should stay within about 10 % of
# the dialogue's; a square matrix of 3000 individuals should be written in under 2 s.
set -e
build=$(cd "${1:?usage: cli_bench.sh BUILD_FOLDER}" && pwd)
kelvane="$build/src/kelvane/kelvane"
marsyl="$build/src/marsyl/marsyl"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$build/bench/marker_file_tool" 3000 10 2 markers.txt
# Five populations: 2000 individuals each for the indices and tests, 300 for the jackknife.
awk 'BEGIN { srand(7); print "Synthetic clonal data"; print 5; for (p = 1; p <= 5; ++p) print "site" p;
             for (p = 1; p <= 5; ++p) for (i = 0; i < 2000; ++i) print p "\t" int(1 + rand() * 400 * p) }' > clonal.txt
awk 'BEGIN { srand(8); print "Synthetic clonal data"; print 5; for (p = 1; p <= 5; ++p) print "site" p;
             for (p = 1; p <= 5; ++p) for (i = 0; i < 300; ++i) print p "\t" int(1 + rand() * 60 * p) }' > small.txt

now() { date +%s.%N; }
# seconds COMMAND...: runs the command with standard input from the file named by $answers.
seconds() {
    start=$(now)
    "$@" < "$answers" > /dev/null 2>&1
    end=$(now)
    awk "BEGIN { printf \"%.3f\", $end - $start }"
}
row() {
    awk "BEGIN { printf \"%-44s %8.3f %8.3f %7.2f\n\", \"$1\", $2, $3, $2 / ($3 > 0 ? $3 : 1e-9) }"
}

echo "command (kelvane: n = 3000, 10 loci; marsyl: 5 x 2000)   command  dialogue   ratio"
answers=/dev/null
cli=$(seconds "$kelvane" distances markers.txt --layout square --out square.tsv)
printf 'markers.txt\n2\n1\n4\n4\n1\nsquare.txt\n6\n' > a.txt; answers=a.txt
dialogue=$(seconds "$kelvane")
row "distances --layout square (limit 2 s)" "$cli" "$dialogue"

answers=/dev/null
cli=$(seconds "$kelvane" thresholds markers.txt --out thresholds.tsv)
printf 'markers.txt\n2\n1\n4\n3\nbig.txt\n6\n' > a.txt; answers=a.txt
dialogue=$(seconds "$kelvane")
row "thresholds (dialogue: big genotypes file)" "$cli" "$dialogue"

answers=/dev/null
cli=$(seconds "$kelvane" clones markers.txt --threshold 8 --clonal clones.txt --out clones.tsv)
printf 'markers.txt\n2\n1\n4\n1\n8\nmarsyl.txt\n6\n' > a.txt; answers=a.txt
dialogue=$(seconds "$kelvane")
row "clones --threshold 8 --clonal" "$cli" "$dialogue"

answers=/dev/null
cli=$(seconds "$kelvane" histogram markers.txt --classes 20 --max-distance 200 --out histogram.tsv)
printf 'markers.txt\n2\n1\n1\n20\n200\n4\n6\n' > a.txt; answers=a.txt
dialogue=$(seconds "$kelvane")
row "histogram --classes 20" "$cli" "$dialogue"

answers=/dev/null
cli=$(seconds "$kelvane" amova markers.txt --permutations 999 --out amova.tsv)
printf 'markers.txt\n2\n1\n2\n999\n4\n6\n' > a.txt; answers=a.txt
dialogue=$(seconds "$kelvane")
row "amova --permutations 999" "$cli" "$dialogue"

answers=/dev/null
cli=$(seconds "$marsyl" indices clonal.txt --out indices.tsv)
printf 'clonal.txt\nreport.txt\n1\n\n9\n' > a.txt; answers=a.txt
dialogue=$(seconds "$marsyl")
row "indices" "$cli" "$dialogue"

answers=/dev/null
cli=$(seconds "$marsyl" bootstrap clonal.txt --permutations 200 --seed 1,2 --out bootstrap.tsv)
printf 'clonal.txt\nreport.txt\n8\n1\n2\n\n2\n200\nn\n\n9\n' > a.txt; answers=a.txt
dialogue=$(seconds "$marsyl")
row "bootstrap --permutations 200" "$cli" "$dialogue"

answers=/dev/null
cli=$(seconds "$marsyl" differentiation clonal.txt --permutations 1000 --seed 1,2 --out diff.tsv)
printf 'clonal.txt\nreport.txt\n8\n1\n2\n\n3\n1000\nn\n\n9\n' > a.txt; answers=a.txt
dialogue=$(seconds "$marsyl")
row "differentiation --permutations 1000" "$cli" "$dialogue"

answers=/dev/null
cli=$(seconds "$marsyl" jackknife small.txt --permutations 100 --seed 1,2 --out jackknife.tsv)
printf 'small.txt\nreport.txt\n8\n1\n2\n\n4\n100\n\n9\n' > a.txt; answers=a.txt
dialogue=$(seconds "$marsyl")
row "jackknife --permutations 100 (5 x 300)" "$cli" "$dialogue"

answers=/dev/null
cli=$(seconds "$marsyl" fstat clonal.txt --out clonal.dat)
printf 'clonal.txt\nreport.txt\n6\ndialogue.dat\n\n9\n' > a.txt; answers=a.txt
dialogue=$(seconds "$marsyl")
row "fstat" "$cli" "$dialogue"
cmp -s clonal.dat dialogue.dat || { echo "the FSTAT files differ"; exit 1; }
