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
# A temporary folder of its own keeps the single-instance lock apart.
export QT_QPA_PLATFORM=offscreen TMPDIR
TMPDIR=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$work" "$TMPDIR"' EXIT

# run_once <tag> <program...>: runs the program once in the current folder and
# appends "<tag> seconds max_rss_kib" to $work/samples.
run_once() {
    local tag=$1 start end m
    shift
    start=$EPOCHREALTIME
    /usr/bin/time -o "$work/time.txt" -f "%M" "$@" >/dev/null 2>&1
    end=$EPOCHREALTIME
    m=$(tail -n 1 "$work/time.txt")
    awk -v t="$tag" -v a="$start" -v b="$end" -v m="$m" 'BEGIN { printf "%s %.4f %d\n", t, b - a, m }' >>"$work/samples"
}

# summary <tag>: "median_seconds max_rss_kib" of that tag's samples.
summary() {
    awk -v t="$1" '$1 == t { print $2, $3 }' "$work/samples" | sort -n |
        awk '{ a[NR] = $1; if ($2 > rss) rss = $2 } END { print a[int((NR + 1) / 2)], rss }'
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
# The programs take turns, so that a change in the machine's load over the
# runs weighs on all of them alike.
: >"$work/samples"
for ((i = 0; i < runs; i++)); do
    run_once bare "$bin/bench_bare_window"
    run_once text "$bin/bench_bare_window" text
    run_once menu "$bin/bench_bare_window" menu
    run_once vantu "$bin/bench_vantu_start"
done
read -r bare_t bare_m < <(summary bare)
read -r text_t text_m < <(summary text)
read -r menu_t menu_m < <(summary menu)
read -r vantu_t vantu_m < <(summary vantu)
echo "Start-up until the window is shown and the event loop idles (median of $runs, offscreen):"
awk -v bt="$bare_t" -v bm="$bare_m" -v tt="$text_t" -v tm="$text_m" -v mt="$menu_t" -v mm="$menu_m" -v vt="$vantu_t" -v vm="$vantu_m" 'BEGIN {
    printf "  bare QMainWindow                  %6.3f s   peak %6.1f MiB\n", bt, bm / 1024
    printf "  bare QMainWindow with text        %6.3f s   peak %6.1f MiB\n", tt, tm / 1024
    printf "  bare QMainWindow, text and menu   %6.3f s   peak %6.1f MiB\n", mt, mm / 1024
    printf "  Vantu main window                 %6.3f s   peak %6.1f MiB\n", vt, vm / 1024
    printf "  ratio to the bare window %.2f (memory %+.1f MiB), to the window with text %.2f, to the window with text and menu %.2f\n", vt / bt, (vm - bm) / 1024, vt / tt, vt / mt }'

echo "Start-up with a locality database of n records (median of $runs):"
for n in 9 1000 10000 100000; do
    make_localities "$n" lokality.xml
    : >"$work/samples"
    for ((i = 0; i < runs; i++)); do
        run_once vantu "$bin/bench_vantu_start"
    done
    read -r t m < <(summary vantu)
    awk -v n="$n" -v t="$t" -v m="$m" 'BEGIN { printf "  %7d records  %6.3f s   peak %6.1f MiB\n", n, t, m / 1024 }'
done
