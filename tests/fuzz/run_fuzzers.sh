#!/bin/bash
# Builds the libFuzzer targets in build-fuzz and runs each for a while.
#
#   tests/fuzz/run_fuzzers.sh [seconds] [libFuzzer options...]
#
# seconds: time per target (default 30; 0 = no time limit, e.g. with -runs=N).
# Further options go to every target, e.g. -runs=1000000 or -seed=1.
# FUZZ_TARGETS="fuzz_inifile ..." runs only those targets.
#
# Each target works on a copy of its seed corpus in a temporary folder, so no
# input is ever written into the repository. Exits non-zero when any target
# reports a crash, a failed check, a leak, a timeout, running out of memory or
# any sanitizer report; the inputs that caused it are kept in
# build-fuzz/artifacts/.
set -u -o pipefail

seconds=${1:-30}
if [[ $# -gt 0 ]]; then
    shift
fi
if ! [[ $seconds =~ ^[0-9]+$ ]]; then
    echo "usage: $0 [seconds] [libFuzzer options...]" >&2
    exit 2
fi

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
fuzz_dir=$repo/tests/fuzz
build=$repo/build-fuzz
targets=${FUZZ_TARGETS:-fuzz_localities fuzz_inifile fuzz_resultline}

for tool in clang++ cmake ninja; do
    if ! command -v "$tool" >/dev/null; then
        echo "run_fuzzers: $tool is missing (Debian: clang, libclang-rt-14-dev, llvm, cmake, ninja-build, qt6-base-dev)" >&2
        exit 2
    fi
done

cmake -S "$fuzz_dir" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
cmake --build "$build" --parallel 2 -- -j2 >/dev/null || {
    cmake --build "$build" --parallel 1 # once more, to show the errors
    exit 1
}

# A memory file system when there is one: the settings target syncs a file on
# every input.
if [[ -d /dev/shm && -w /dev/shm ]]; then
    tmp=$(mktemp -d /dev/shm/vantu-fuzz.XXXXXX) || exit 1
else
    tmp=$(mktemp -d "${TMPDIR:-/tmp}/vantu-fuzz.XXXXXX") || exit 1
fi
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/scratch"

export TMPDIR=$tmp/scratch
# Symbolized stack traces need llvm-symbolizer (Debian: llvm or llvm-14).
if ! command -v llvm-symbolizer >/dev/null && command -v llvm-symbolizer-14 >/dev/null; then
    export ASAN_SYMBOLIZER_PATH=$(command -v llvm-symbolizer-14)
fi
export TZ=Europe/Bratislava
export LC_ALL=C.UTF-8
# Qt is built without frame pointers, so the fast unwinder turns the deeper
# frames of every allocation in Qt into noise; recording them all fills
# ASan's stack depot without end (half the time, and growing memory, in long
# runs). While fuzzing only the allocating frame is kept; a failing input is
# run again below with full allocation stacks for the report.
asan_common=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export ASAN_OPTIONS=$asan_common:malloc_context_size=1
ubsan=halt_on_error=1:print_stacktrace=1
lsan=print_suppressions=0
# Findings inside Qt's own code only; each entry says why (see the files).
if [[ -s $fuzz_dir/ubsan.supp ]]; then
    ubsan=$ubsan:suppressions=$fuzz_dir/ubsan.supp
fi
if [[ -s $fuzz_dir/lsan.supp ]]; then
    lsan=$lsan:suppressions=$fuzz_dir/lsan.supp
fi
export UBSAN_OPTIONS=$ubsan
export LSAN_OPTIONS=$lsan

failed=0
for target in $targets; do
    corpus=$tmp/corpus/$target
    artifacts=$tmp/artifacts/$target
    log=$tmp/$target.log
    mkdir -p "$corpus" "$artifacts"
    if [[ -d $fuzz_dir/corpus/$target ]]; then
        cp -R "$fuzz_dir/corpus/$target/." "$corpus/"
    fi
    dict=()
    if [[ -f $fuzz_dir/$target.dict ]]; then
        dict=("-dict=$fuzz_dir/$target.dict")
    fi

    "$build/$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "${dict[@]}" "$@" >"$log" 2>&1
    status=$?

    runs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
    took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
    # Sanitizer reports that did not stop the run count as failures too.
    if grep -q -E 'runtime error:|ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|==FUZZ CHECK FAILED==|^SUMMARY: ' "$log"; then
        [[ $status -eq 0 ]] && status=1
    fi

    if [[ $status -eq 0 && -n $runs ]]; then
        echo "$target: OK, $runs executions in ${took:-?} s, corpus $(ls "$corpus" | wc -l) inputs"
    else
        failed=1
        kept=$build/artifacts/$target
        mkdir -p "$kept"
        cp -R "$artifacts/." "$kept/" 2>/dev/null
        cp "$log" "$kept/last-run.log"
        echo "$target: FAILED (exit $status) after ${runs:-unknown} executions; inputs and log in $kept" >&2
        grep -v -E '^#[0-9]+ ' "$log" | tail -n 60 >&2
        first=$(ls "$artifacts" | head -n 1)
        if [[ -n $first ]]; then
            echo "--- $first again, with full allocation stacks ---" >&2
            ASAN_OPTIONS=$asan_common:malloc_context_size=30:fast_unwind_on_malloc=0 \
                timeout 120 "$build/$target" -timeout=10 -rss_limit_mb=2048 "$artifacts/$first" \
                >"$kept/reproduce.log" 2>&1
            grep -v -E '^#[0-9]+ ' "$kept/reproduce.log" | tail -n 80 >&2
        fi
    fi
done
exit $failed
