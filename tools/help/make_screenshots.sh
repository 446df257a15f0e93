#!/bin/bash
# Screenshots for the help pages: the main window, the results table with a
# month of results, the Moon phase window, the Find a place dialog and the Sun
# and Moon window, in Slovak, English and Hungarian.
#
#   tools/help/make_screenshots.sh [build folder]     (default: build-help)
#
# Needs: xvfb-run, openbox, xdotool, xwininfo, xprop, ImageMagick (import,
# convert) and libfaketime (Debian package "faketime"), which fixes the
# program's "today" so that every run draws the same day.
# Writes help/images/{main,table,moon,find,sky,horizon,sky_horizon}_{sk,en,hu}.png and
# help/images/toolbar.png. The first place, SK - Bratislava, gets the example
# valley's horizon (help/examples/horizont-vratna.txt) at 20 m above its floor.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$repo/build-help}" && pwd)
out=$repo/help/images

# The day shown: the summer solstice, with a waxing crescent Moon.
day="2026-06-21 10:00:00"
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1

# Run the rest inside a virtual screen of its own.
if [ -z "${VANTU_SHOTS_INNER:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" env VANTU_SHOTS_INNER=1 "$0" "$build"
fi

[ -x "$build/bin/vantu" ] || { echo "no program at $build/bin/vantu" >&2; exit 1; }
[ -f "$faketime_lib" ] || { echo "libfaketime missing (apt-get install faketime)" >&2; exit 1; }
mkdir -p "$out"

wm_pid=
app_pid=
work=
rc=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$work" ] && rm -rf "$work"
    [ -n "$rc" ] && rm -f "$rc"
    return 0
}
trap cleanup EXIT

# Title and close button only, in small plain type: the Moon window is so
# narrow that more buttons or larger type would leave no room for its title.
rc=$(mktemp /tmp/vantu-shots-rc.XXXXXX.xml)
sed -e 's|<titleLayout>.*</titleLayout>|<titleLayout>LC</titleLayout>|' \
    -e '/place="\(In\)*[Aa]ctiveWindow"/,/<\/font>/ s|<size>8</size>|<size>7</size>|' \
    -e 's|<weight>bold</weight>|<weight>normal</weight>|' /etc/xdg/openbox/rc.xml >"$rc"
openbox --config-file "$rc" >/dev/null 2>&1 &
wm_pid=$!
sleep 1

# Id of the first visible window whose title matches the pattern; waits up to
# ten seconds.
wait_window() {
    local id
    for _ in $(seq 50); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    echo "no window matching '$1'" >&2
    return 1
}

# The window with its frame, cut from the whole screen.
shoot() {
    local id=$1 file=$2 x y w h l r t b
    x=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$id" | awk '/Absolute upper-left Y/ {print $4}')
    w=$(xwininfo -id "$id" | awk '/Width:/ {print $2}')
    h=$(xwininfo -id "$id" | awk '/Height:/ {print $2}')
    read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "$((w + l + r))x$((h + t + b))+$((x - l))+$((y - t))" \
        +repage -strip -define png:compression-level=9 "$out/$file"
    echo "wrote $out/$file"
    frame_left=$l
    frame_top=$t
}

# suffix, language index, locale, access keys of the Tools menu, its month
# item and its Moon item, pattern of the missing-file box, of the table window
# and of the Moon window, the city typed into Find a place, pattern of its
# dialog and of the Sun and Moon window, the Horizon item's access key and
# the pattern of its dialog.
languages=(
    "sk|0|sk_SK.UTF-8|n|d|f|bor\$|Tabu|Mesiaca\$|Vieden|Miesto|Slnko a|h|^ Horizont"
    "en|1|en_GB.UTF-8|t|r|m|File error|Table of|Moon phase|Vienna|Find a|Sun and|h|^ Horizon"
    "hu|2|hu_HU.UTF-8|e|e|h|Hiba\$|zata\$|Holdf|Becs|Hely ker| Hold |o|^ Horizont"
)

# The example valley as the stored horizon of the first place.
horizons() {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<Horizonty>'
    echo ' <Horizont Nazov="SK - Bratislava" Sirka="48.15" Dlzka="17.116944444444444" Vyska="20">'
    sed -e 's/#.*//' -e 's/,/ /g' "$repo/help/examples/horizont-vratna.txt" |
        awk 'NF >= 2 {printf "  <Bod Azimut=\"%s\" Uhol=\"%s\"/>\n", $1, $2}'
    echo ' </Horizont>'
    echo '</Horizonty>'
}

for entry in "${languages[@]}"; do
    IFS='|' read -r suffix index locale tools month moon missing table moonwin city findwin skywin \
        horizon horizonwin <<<"$entry"

    # A fresh program folder: no settings or database from earlier runs.
    work=$(mktemp -d /tmp/vantu-shots.XXXXXX)
    cp -r "$build/bin/." "$work/"
    cp -r "$repo/grafika" "$work/grafika"
    mkdir -m 700 "$work/runtime"
    printf '[Poloha]\r\nvlavo=40\r\nhore=30\r\n[Nastavenie]\r\njazyk=%s\r\nformatcasu=1\r\n' \
        "$index" >"$work/vantu.ini"
    horizons >"$work/horizonty.xml"

    # A temporary folder of its own keeps the single-instance lock apart from
    # any other copy running on this machine.
    (cd "$work" && exec env LANG="$locale" TMPDIR="$work/runtime" \
        LD_PRELOAD="$faketime_lib" FAKETIME="@$day" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        ./vantu >"$work/vantu.log" 2>&1) &
    app_pid=$!

    # The first start reports the missing database; Return answers it.
    box=$(wait_window "$missing")
    xdotool windowactivate --sync "$box"
    xdotool key Return
    sleep 1.5
    main=$(wait_window "^ Vantu [0-9.]*\$")
    # The pointer off the window, so that no hint fills the status bar.
    xdotool mousemove 1010 750
    sleep 0.5
    shoot "$main" "main_$suffix.png"
    if [ "$suffix" = sk ]; then
        # The toolbar alone (the same in every language): 29 pixels high under
        # the 18-pixel menu bar, its ten buttons within the first 292 pixels.
        convert "$out/main_sk.png" -crop "292x29+$frame_left+$((frame_top + 18))" +repage \
            -strip "$out/toolbar.png"
        echo "wrote $out/toolbar.png"
    fi

    # The first place's horizon in its dialog, then over the Sun and Moon.
    xdotool windowactivate --sync "$main"
    xdotool key "alt+$tools"
    sleep 0.5
    xdotool key "$horizon"
    hw=$(wait_window "$horizonwin")
    sleep 1
    shoot "$hw" "horizon_$suffix.png"
    xdotool key Escape
    sleep 0.5
    xdotool windowactivate --sync "$main"
    xdotool key ctrl+m
    sw=$(wait_window "$skywin")
    xdotool windowsize "$sw" 900 600
    xdotool windowmove "$sw" 60 60
    sleep 1
    shoot "$sw" "sky_horizon_$suffix.png"
    xdotool key Escape
    sleep 0.5

    # Results of the month into a new table, shown larger and from its top.
    xdotool windowactivate --sync "$main"
    xdotool key "alt+$tools"
    sleep 0.5
    xdotool key "$month"
    tab=$(wait_window "$table")
    xdotool windowsize "$tab" 630 350
    xdotool windowmove "$tab" 200 200
    xdotool windowactivate --sync "$tab"
    xdotool key ctrl+Home
    sleep 1
    shoot "$tab" "table_$suffix.png"

    # The Moon phase of the calendar's day.
    xdotool windowactivate --sync "$main"
    xdotool key "alt+$tools"
    sleep 0.5
    xdotool key "$moon"
    mw=$(wait_window "$moonwin")
    sleep 1
    shoot "$mw" "moon_$suffix.png"
    xdotool key Escape

    # Find a place, with a city typed (the table's question would come first
    # if the main window closed, so the main window stays).
    xdotool windowactivate --sync "$main"
    xdotool key ctrl+f
    fw=$(wait_window "$findwin")
    xdotool windowactivate --sync "$fw"
    sleep 1
    xdotool type --delay 60 "$city"
    sleep 1
    shoot "$fw" "find_$suffix.png"
    xdotool key Return
    sleep 1

    # The Sun and Moon over the picked city.
    xdotool windowactivate --sync "$main"
    xdotool key ctrl+m
    sw=$(wait_window "$skywin")
    xdotool windowsize "$sw" 900 600
    xdotool windowmove "$sw" 60 60
    sleep 1
    shoot "$sw" "sky_$suffix.png"

    # The table is unsaved, so the window would refuse to close: end the copy.
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=
    rm -rf "$work"
    work=
done
