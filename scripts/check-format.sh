#!/usr/bin/env bash
# Fails, naming the files, when a C++ source or header of the project is not laid out as
# clang-format lays it out with the project's .clang-format (Debian 12's clang-format 14; another
# version may break lines otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
git rev-parse --is-inside-work-tree >/dev/null 2>&1 ||
    { echo "check-format: $(pwd) is no git checkout; the files to check are the ones git tracks" >&2; exit 1; }
# One run over all files: one process per file would take seconds.
said=$(git ls-files -z -- '*.cpp' '*.h' '*.c' |
    xargs -0 -r clang-format --dry-run -Werror --style=file --fallback-style=none 2>&1) && exit 0
unformatted=$(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$said" |
    sort -u | tr '\n' ' ')
if [[ -z $unformatted ]]; then
    echo "check-format: clang-format failed: $said" >&2
else
    version=$(clang-format --version | grep -o '[0-9][0-9.]*' | head -n 1)
    echo "check-format: not formatted as clang-format $version lays them out (clang-format -i them):" \
        "${unformatted% }" >&2
fi
exit 1
