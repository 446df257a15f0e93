#!/bin/bash
# Draws every window of two builds in the three languages (window_grabs) and
# says which pictures differ.
#
#   tools/quality/compare_windows.sh <build folder> <other build folder> [picture folder]
#
# Needs the faketime package: both builds see the same day and hour.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
out=${3:-$(mktemp -d /tmp/vantu-grabs.XXXXXX)}
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1

grab() { # build folder, picture folder
    local work
    work=$(mktemp -d /tmp/vantu-grab-run.XXXXXX)
    cp -r "$1/bin/." "$work/"
    cp -r "$repo/grafika" "$work/grafika"
    (cd "$work" && env QT_QPA_PLATFORM=offscreen LANG=en_GB.UTF-8 TMPDIR="$work" \
        LD_PRELOAD="$faketime_lib" FAKETIME="2026-06-21 10:00:00" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        "$work/window_grabs" "$work" "$2")
    rm -rf "$work"
}

grab "$(cd "$1" && pwd)" "$out/a"
grab "$(cd "$2" && pwd)" "$out/b"
differ=0
for a in "$out"/a/*.png; do
    b=$out/b/$(basename "$a")
    if [ ! -f "$b" ]; then
        echo "only in the first: $(basename "$a")"; differ=1; continue
    fi
    n=$(compare -metric AE "$a" "$b" null: 2>&1 || true)
    if [ "$n" != 0 ]; then
        echo "$(basename "$a"): $n pixels differ"; differ=1
    fi
done
for b in "$out"/b/*.png; do
    [ -f "$out/a/$(basename "$b")" ] || { echo "only in the second: $(basename "$b")"; differ=1; }
done
echo "$(ls "$out"/a | wc -l) pictures compared in $out"
exit $differ
