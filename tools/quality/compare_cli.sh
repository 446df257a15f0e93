#!/bin/bash
# Runs the same vantu-cli commands with two builds and says which outputs
# (stdout, stderr and exit code) differ: a check that a change of the code
# leaves what the tool writes as it was.
#
#   tools/quality/compare_cli.sh <build folder> <other build folder> [output folder]
#
# Each command runs in a folder holding the program's own lokality.xml.
set -uo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
out=${3:-$(mktemp -d /tmp/vantu-cli.XXXXXX)}

# One command a line: the arguments, as the shell splits them.
commands() {
    cat <<'LIST'
--place Bratislava --date 2026-06-21
--place Bratislava --date 2026-06-21 --lang sk
--place Bratislava --date 2026-06-21 --lang hu --twilight
--place Bratislava --month 2026-03 --tz Europe/Bratislava --twilight
--place Bratislava --month 2026-10 --tz Europe/Bratislava --format csv --twilight
--place Košice --year 2026 --utc --format csv --twilight
--place Košice --year 2026 --format json --twilight --sky
--place Poprad --year 2026 --format ics --sky
--place Poprad --month 2026-06 --format json --sky --lang sk
--lat 78.22 --lon 15.65 --name Longyearbyen --year 2026 --tz Arctic/Longyearbyen --format csv --twilight --sky
--lat 78.22 --lon 15.65 --year 2026 --twilight --sky --lang hu
--lat 69.65 --lon 18.96 --name Tromsø --year 2026 --tz Europe/Oslo --format ics --sky
--lat -77.85 --lon 166.67 --year 2026 --format json --twilight --sky
--lat -54.8 --lon -68.3 --year 2026 --format csv --twilight --tz America/Argentina/Ushuaia
--lat 0 --lon 0 --year 2026 --format csv --twilight --sky
--lat 29 --lon -81 --year 2019 --utc --format csv --twilight --sky
--lat -13.83 --lon -171.76 --year 2011 --tz Pacific/Apia --format csv --twilight --sky
--lat 1.87 --lon -157.4 --year 2026 --tz Pacific/Kiritimati --format json --twilight
--lat 27.7 --lon 85.3 --month 2026-02 --tz Asia/Kathmandu --sky
--lat 48.15 --lon 17.11 --month 2026-06 --offset +05:45 --format csv --twilight
--lat 48:09:00N --lon 17:07:01E --date 2026-12-21 --cet --twilight --sky
--lat 48.15 --lon 17.11 --date 0001-01-01 --utc --format csv --twilight --sky
--lat 48.15 --lon 17.11 --date 9999-12-31 --utc --format json --twilight --sky
--lat 48.15 --lon 17.11 --year 1900 --cest --format csv
--lat 48.15 --lon 17.11 --at 2026-06-21T21:30 --utc
--lat 48.15 --lon 17.11 --at 2026-06-21T21:30+02:00 --format json
--lat 48.15 --lon 17.11 --at 2026-06-21T04:00 --tz Europe/Bratislava --format csv --lang sk
--lat 69.65 --lon 18.96 --at 2026-12-21T12:00 --tz Europe/Oslo --lang hu
--city Bratislava --date 2026-06-21 --twilight --sky
--city Auckland --date 2026-01-21 --format csv --sky
--city Vienna --date 2024-03-31 --format json --sky
--find Bratislava
--find Wien --format csv
--find Kos --format json --lang sk
--easter 2026
--moon 2026-06-21 --lang sk
--place Nowhere --date 2026-06-21
--lat 91 --lon 0
--year 10000 --lat 0 --lon 0
LIST
}

# Three of the program's nine towns, on their own clock (UTC+1), and one far east.
locality_file() {
    local row='<Riadok><Mesto>%s</Mesto><Hod>%s</Hod><Min>%s</Min><ZS1>%s</ZS1><ZS2>%s</ZS2><ZS3>%s</ZS3><ZS4>N</ZS4><ZD1>%s</ZD1><ZD2>%s</ZD2><ZD3>%s</ZD3><ZD4>E</ZD4></Riadok>'
    printf '<?xml version="1.0" encoding="UTF-8"?>\n<SuborDat>'
    printf "$row" "Bratislava" 1 0 48 9 0 17 7 1
    printf "$row" "Košice" 1 0 48 43 19 21 15 37
    printf "$row" "Poprad" 1 0 49 3 37 20 17 58
    printf "$row" "Kathmandu" 5 45 27 42 0 85 19 0
    printf '</SuborDat>\n'
}

run_all() { # build folder, output folder
    local bin=$1/bin/vantu-cli work n=0 line
    work=$(mktemp -d /tmp/vantu-cli-run.XXXXXX)
    locality_file >"$work/lokality.xml"
    mkdir -p "$2"
    while IFS= read -r line; do
        n=$((n + 1))
        # shellcheck disable=SC2086
        (cd "$work" && LANG=en_GB.UTF-8 TZ=UTC eval "\"$bin\" $line" >"$2/$n.out" 2>"$2/$n.err"
         echo $? >"$2/$n.code")
        printf '%s\n' "$line" >"$2/$n.args"
    done < <(commands)
    rm -rf "$work"
}

run_all "$(cd "$1" && pwd)" "$out/a"
run_all "$(cd "$2" && pwd)" "$out/b"
differ=0
for args in "$out"/a/*.args; do
    n=$(basename "$args" .args)
    for part in out err code; do
        if ! cmp -s "$out/a/$n.$part" "$out/b/$n.$part"; then
            echo "differs ($part): $(cat "$args")"
            differ=1
        fi
    done
done
echo "$(ls "$out"/a/*.args | wc -l) commands compared in $out"
exit $differ
