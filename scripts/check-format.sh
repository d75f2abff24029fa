#!/usr/bin/env bash
# Checks that every tracked C++ file of the programs, the libraries, the tests
# and the scripts is formatted as .clang-format declares. Prints the
# differences and exits non-zero when any file differs; changes nothing.
# Format before a commit with `git clang-format` (only the lines you changed)
# or `clang-format -i <files>`.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- 'libs/*.cpp' 'libs/*.h' 'common/*.cpp' 'common/*.h' \
    'plivek/*.cpp' 'plivek/*.h' 'zumoltc/*.cpp' 'zumoltc/*.h' 'tests/*.cpp' 'tests/*.h' \
    'scripts/*.cpp' 'scripts/*.h')
if [ "${#files[@]}" -eq 0 ]; then
    echo "check-format: no C++ files found" >&2
    exit 1
fi
if ! printf '%s\0' "${files[@]}" | xargs -0 -n 50 clang-format --dry-run --Werror; then
    echo "check-format: files above differ from .clang-format; run clang-format -i on them" >&2
    exit 1
fi
echo "check-format: ${#files[@]} files match .clang-format"
