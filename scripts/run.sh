#!/usr/bin/env bash
# Installs what is needed, builds, and starts plivek on the given document, or
# on the sample TIVERK 3.18 intersection when none is given.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
[ $# -gt 0 ] || set -- examples/tiverk318_intersection.cnf
exec build/bin/plivek "$@"
