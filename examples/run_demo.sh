#!/bin/sh
# Runs kelvane on the example data with the example answer script, in a fresh folder
# demo-output/, and prints the console transcript and the files it wrote.
set -e
build=${1:?usage: run_demo.sh BUILD_FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
kelvane="$top/$build/src/kelvane/kelvane"
out="$top/demo-output"

rm -rf "$out"
mkdir -p "$out"
cp "$here/clonal_plants.txt" "$here/clonal_plants_distances.txt" "$out/"
cd "$out"

echo "=== kelvane < examples/kelvane_answers.txt"
"$kelvane" < "$here/kelvane_answers.txt"
echo
echo "=== files written in demo-output/"
for file in distances_square.txt; do
    echo "--- $file"
    cat "$file"
    echo
done
