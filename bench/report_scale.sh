#!/bin/sh
# kelvane's report at scale: 5000 individuals at 10 diploid loci, the genotypes at threshold 10
# and an AMOVA of 99 permutations. Prints the time to write the report and its size (at most
# 3 MB), and the time headless Chromium takes to open it (at most 2 s) where Chromium and
# python3 are installed.
set -e
build=$(cd "${1:?usage: report_scale.sh BUILD_FOLDER [INDIVIDUALS]}" && pwd)
n=${2:-5000}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/marker_file_tool" "$n" 10 2 "$work/markers.txt"
start=$(date +%s.%N)
"$build/src/kelvane/kelvane" report "$work/markers.txt" --threshold 10 --permutations 99 \
    --no-date --quiet --html "$work/report.html" 2> /dev/null
end=$(date +%s.%N)
bytes=$(wc -c < "$work/report.html")
echo "kelvane report of n = $n: written in $(awk "BEGIN { printf \"%.2f\", $end - $start }") s," \
     "$(awk "BEGIN { printf \"%.2f\", $bytes / 1e6 }") MB"
[ "$bytes" -le 3000000 ] || { echo "the report is larger than 3 MB"; exit 1; }
if command -v python3 > /dev/null; then
    status=0
    python3 "$here/../tests/browser/browser_check.py" open "$work/report.html" --max-seconds 2 ||
        status=$?
    # 77: Chromium is not installed, which the line above says.
    [ "$status" = 0 ] || [ "$status" = 77 ] || exit "$status"
fi
