#!/usr/bin/env bash
# Set-up, build, run and test on Debian 12.
#   tools/dev.sh run    install what is missing, build, start the program
#   tools/dev.sh test   install what is missing, build, run every test; then
#                       the same with AddressSanitizer and UndefinedBehavior-
#                       Sanitizer in build-asan/, and each fuzz target 30 s
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"

packages=(cmake ninja-build g++ qt6-base-dev libgl-dev tzdata fonts-dejavu-core
          fonts-liberation qt6-translations-l10n scdoc pkgconf libgeonames-dev)
# Only the tests need these: PDF checks, the fuzzers' compiler, the iCalendar
# parser, the Debian package's tools and its checkers (lintian, the desktop
# entry and AppStream validators), strace to kill a save at its last step, and
# libfaketime to start vantu-cli's waits at a chosen moment.
test_packages=(poppler-utils clang libclang-rt-14-dev desktop-file-utils python3-icalendar
               dpkg-dev lintian appstream strace faketime)

install_missing() { # <package...>
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}

compile() { # <build folder> [cmake options...]
    local dir=$1
    shift
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir"
}

case "${1:-}" in
run)
    install_missing "${packages[@]}"
    compile "$build"
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "There is no display here: start Vantu from a desktop session, or under xvfb-run." >&2
        exit 1
    fi
    cd "$build/bin"
    exec ./vantu
    ;;
test)
    install_missing "${packages[@]}" "${test_packages[@]}"
    compile "$build"
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)

    echo "== The same tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    compile "$root/build-asan" -DVANTU_SANITIZE=ON
    (cd "$root/build-asan" &&
        QT_QPA_PLATFORM=offscreen \
        ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --output-on-failure -j2)

    echo "== Fuzz targets, 30 s each"
    "$root/tests/fuzz/run_fuzzers.sh" 30
    ;;
*)
    echo "usage: tools/dev.sh run|test" >&2
    exit 2
    ;;
esac
