#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test headless, the benchmarks
# once each at a small size among them (ctest -L bench_smoke runs those alone).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DBUILD_BENCHMARKS=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)"
