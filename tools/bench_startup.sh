#!/usr/bin/env bash
# Start-up benchmark on the offscreen platform.
#   tools/bench_startup.sh [runs]
# 1. The main window against a bare QMainWindow built by the project:
#    median wall time from process start until the window is shown and the
#    event loop idles, the ratio, and the peak memory of both.
# 2. Start-up with locality files of 9, 1,000, 10,000 and 100,000 records.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin="$root/build/bin"
runs=${1:-15}
[ -x /usr/bin/time ] || { echo "Needs GNU time: apt-get install time" >&2; exit 1; }
[ -x "$bin/bench_vantu_start" ] || { echo "Build first: tools/dev.sh test (or cmake --build build)" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$work" "$XDG_RUNTIME_DIR"' EXIT

# measure <program>: prints "median_seconds max_rss_kib" over $runs runs,
# started in the current folder.
measure() {
    local times=() rss=0 t m
    for ((i = 0; i < runs; i++)); do
        local start=$EPOCHREALTIME
        /usr/bin/time -o "$work/time.txt" -f "%M" "$@" >/dev/null 2>&1
        local end=$EPOCHREALTIME
        m=$(tail -n 1 "$work/time.txt")
        t=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }')
        times+=("$t")
        (( m > rss )) && rss=$m
    done
    printf '%s\n' "${times[@]}" | sort -n | awk -v rss="$rss" '{a[NR]=$1} END {print a[int((NR+1)/2)], rss}'
}

# make_localities <count> <file>: a valid database of <count> records.
make_localities() {
    awk -v n="$1" 'BEGIN {
        printf "<?xml version=\"1.0\"?>\n<SuborDat>"
        for (i = 0; i < n; i++)
            printf "<Riadok><Mesto>Place %06d</Mesto><Hod>%d</Hod><Min>0</Min><ZS1>%d</ZS1><ZS2>%d</ZS2><ZS3>%d</ZS3><ZS4>N</ZS4><ZD1>%d</ZD1><ZD2>%d</ZD2><ZD3>%d</ZD3><ZD4>E</ZD4></Riadok>", (i * 7919) % 1000003, i % 13, i % 90, i % 60, (i * 7) % 60, i % 180, (i * 3) % 60, (i * 11) % 60
        printf "</SuborDat>"
    }' > "$2"
}

cd "$work"
make_localities 9 lokality.xml
read -r bare_t bare_m < <(measure "$bin/bench_bare_window")
read -r text_t text_m < <(measure "$bin/bench_bare_window" text)
read -r vantu_t vantu_m < <(measure "$bin/bench_vantu_start")
echo "Start-up until the window is shown and the event loop idles (median of $runs, offscreen):"
awk -v bt="$bare_t" -v bm="$bare_m" -v tt="$text_t" -v tm="$text_m" -v vt="$vantu_t" -v vm="$vantu_m" 'BEGIN {
    printf "  bare QMainWindow             %6.3f s   peak %6.1f MiB\n", bt, bm / 1024
    printf "  bare QMainWindow with text   %6.3f s   peak %6.1f MiB\n", tt, tm / 1024
    printf "  Vantu main window            %6.3f s   peak %6.1f MiB\n", vt, vm / 1024
    printf "  ratio to the bare window %.2f (memory %+.1f MiB), to the window with text %.2f (memory %+.1f MiB)\n", vt / bt, (vm - bm) / 1024, vt / tt, (vm - tm) / 1024 }'

echo "Start-up with a locality database of n records (median of $runs):"
for n in 9 1000 10000 100000; do
    make_localities "$n" lokality.xml
    read -r t m < <(measure "$bin/bench_vantu_start")
    awk -v n="$n" -v t="$t" -v m="$m" 'BEGIN { printf "  %7d records  %6.3f s   peak %6.1f MiB\n", n, t, m / 1024 }'
done
