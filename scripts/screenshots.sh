#!/usr/bin/env bash
# Opens every window of plivek and zumoltc on the samples with fresh settings
# and writes one PNG per window, for a person to look through: once on a
# virtual 1600x1000 screen and once on a small 1024x700 one, each set in a
# folder of its own under the output folder (default: build/shots). Not part
# of the test suite.
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
# Fresh settings for each program on each screen: a home of its own, removed
# afterwards.
homes=$(mktemp -d)
trap 'rm -rf "$homes"' EXIT
for screen in 1600x1000 1024x700; do
    for tour in plivek_tour zumoltc_tour; do
        home=$homes/$screen-$tour
        mkdir -p "$home"
        HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=xcb \
            xvfb-run -a -s "-screen 0 ${screen}x24" "$build/tour/$tour" "$out/$screen" "$root/examples"
    done
done
echo "pictures in $out/1600x1000 and $out/1024x700"
