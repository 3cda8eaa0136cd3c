#!/bin/sh
# The whole road on the example data, in a fresh folder demo-output/: kelvane computes stepwise
# distances between the plants, shows the histogram, runs the AMOVA and writes the Clonal
# genotype file at threshold 4; marsyl reads that file (with its seeds set, so the run repeats
# itself), reports the diversity indices, a bootstrap test and a differentiation test, and
# exports the data as an FSTAT file. Prints both console transcripts and the files written. Then
# the same road on the command line: thresholds, clones at threshold 4 with marsyl's input, and
# marsyl's indices, as tab-separated tables. Last, both reports, each one HTML page with every
# table and figure, and their paths.
set -e
build=${1:?usage: run_demo.sh BUILD_FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
kelvane="$top/$build/src/kelvane/kelvane"
marsyl="$top/$build/src/marsyl/marsyl"
out="$top/demo-output"

rm -rf "$out"
mkdir -p "$out"
cp "$here/clonal_plants.txt" "$out/"
cd "$out"

echo "=================== kelvane < examples/kelvane_answers.txt"
"$kelvane" < "$here/kelvane_answers.txt"
echo
echo "=================== marsyl < examples/marsyl_answers.txt"
"$marsyl" < "$here/marsyl_answers.txt"
echo
for file in clonal_plants_genotypes.txt genotypes.txt marsyl_report.txt clonal_plants.dat; do
    echo "=================== demo-output/$file"
    cat "$file"
    echo
done
echo "=================== the command line: kelvane thresholds clonal_plants.txt"
"$kelvane" thresholds clonal_plants.txt
echo
echo "=================== kelvane clones clonal_plants.txt --threshold 4 --clonal clones.txt --out clones.tsv"
"$kelvane" clones clonal_plants.txt --threshold 4 --clonal clones.txt --out clones.tsv
cat clones.tsv
echo
echo "=================== marsyl indices clones.txt"
"$marsyl" indices clones.txt
echo
echo "=================== the reports: kelvane report clonal_plants.txt --threshold 4 --html kelvane_report.html"
echo "=================== and marsyl report clones.txt --seed 12345,67890 --html marsyl_report.html"
"$kelvane" report clonal_plants.txt --threshold 4 --html kelvane_report.html
"$marsyl" report clones.txt --seed 12345,67890 --html marsyl_report.html
echo
echo "=================== all files are in demo-output/: $(ls | tr '\n' ' ')"
echo "kelvane's report: $out/kelvane_report.html"
echo "marsyl's report:  $out/marsyl_report.html"
