# Sourced by the scale and bench scripts: timed_run COMMAND... runs the command (its output discarded) and
# sets wall (seconds), cpu (user and system seconds, NA without /usr/bin/time) and peak_kb (peak
# resident memory, 0 without /usr/bin/time).
timed_run() {
    if [ -x /usr/bin/time ]; then
        /usr/bin/time -v "$@" > /dev/null 2> time.txt
        wall=$(grep 'Elapsed (wall clock)' time.txt | sed 's/.*: //' |
               awk -F: '{ s = 0; for (i = 1; i <= NF; ++i) s = s * 60 + $i; print s }')
        cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { print s }' time.txt)
        peak_kb=$(grep 'Maximum resident set size' time.txt | sed 's/.*: //')
    else
        start=$(date +%s.%N)
        "$@" > /dev/null
        wall=$(awk "BEGIN { print $(date +%s.%N) - $start }")
        cpu=NA
        peak_kb=0
    fi
}

now() { date +%s.%N; }
# median_seconds COMMAND...: the median wall time of three runs.
median_seconds() {
    for run in 1 2 3; do
        start=$(now)
        "$@" > /dev/null 2>&1
        end=$(now)
        awk "BEGIN { printf \"%.3f\n\", $end - $start }"
    done | sort -n | sed -n 2p
}
