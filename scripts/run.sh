#!/usr/bin/env bash
# Installs what is needed, builds, and starts plivek (on the sample document when given one).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/bin/plivek "$@"
