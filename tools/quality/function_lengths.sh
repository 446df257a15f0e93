#!/bin/bash
# Lengths of the product's functions, by universal-ctags: the longest ones
# and how many run past a limit (default 80 lines). Tests, tools and the
# build folders are left out.
#
#   tools/quality/function_lengths.sh [limit] [how many to list]
set -euo pipefail
cd "$(dirname "$0")/../.."
limit=${1:-80}
list=${2:-15}
git ls-files '*.cpp' '*.h' | grep -v -E '^(tests|tools)/' |
    ctags --c++-kinds=f --fields=+ne -x --_xformat='%{end} %{line} %{input} %{name}' -L - |
    awk -v limit="$limit" '$1 ~ /^[0-9]+$/ { n = $1 - $2 + 1; print n, $3 ":" $2, $4;
        if (n > limit) over++; total++ }
        END { printf "%d functions, %d longer than %d lines\n", total, over, limit > "/dev/stderr" }' |
    sort -rn | head -n "$list"
