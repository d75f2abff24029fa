#!/usr/bin/env bash
# Opens every window of plivek and zumoltc on the samples under a virtual
# 1600x1000 screen with fresh settings and writes one PNG per window into a
# folder (default: build/shots), for a person to look through. Not part of
# the test suite.
# Usage: scripts/screenshots.sh [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${TOUR_BUILD_DIR:-$root/build}
out=${1:-$build/shots}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_SCREENSHOT_TOUR=ON >/dev/null
nice cmake --build "$build" --target plivek_tour zumoltc_tour
rm -rf "$out"
mkdir -p "$out"
# Fresh settings for each program: a home of its own, removed afterwards.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
for tour in plivek_tour zumoltc_tour; do
    HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1600x1000x24" "$build/tour/$tour" "$out" "$root/examples"
done
echo "pictures in $out"
