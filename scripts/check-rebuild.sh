#!/usr/bin/env bash
# Configures the finished build in build/ (or the given folder) again with its own
# settings, builds it, and fails when that compiled, linked or generated anything: with
# nothing changed, a second scripts/build.sh (and so scripts/run.sh) must do no work.
# Run it after a full build; CI runs it after the tests. The fuzzer's external build is
# always entered, so its steps pass as long as its own build has nothing to do.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
if [ ! -f "$dir/CMakeCache.txt" ]; then
    echo "check-rebuild: $dir holds no configured build; run scripts/build.sh first" >&2
    exit 1
fi
cmake -S . -B "$dir" >/dev/null
# The build's output goes to a file: on a failure, ninja's `-d explain` lines say why each
# step ran (the build is a Ninja one, as scripts/build.sh makes it).
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! cmake --build "$dir" -- -d explain >"$log" 2>&1; then
    grep -v '^ninja explain: ' "$log" >&2 || true
    echo "check-rebuild: building $dir failed" >&2
    exit 1
fi
work=$(grep -E '^\[[0-9]+/[0-9]+\] ' "$log" |
    grep -vE "\] (Re-checking globbed directories|Performing build step for '[^']+'|No install step for '[^']+'|Completed '[^']+')\.*$" || true)
if [ -n "$work" ]; then
    echo "check-rebuild: building $dir again after a configure with nothing changed did:" >&2
    head -n 20 <<<"$work" >&2
    echo "check-rebuild: why (ninja -d explain):" >&2
    grep '^ninja explain: ' "$log" | grep -vE ' is dirty$| of phony edge with no inputs ' | head -n 20 >&2 || true
    exit 1
fi
echo "check-rebuild: configuring and building $dir again did no work"
