#!/usr/bin/env bash
# Collects the user-visible texts of both programs into their translation sources.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate -silent -no-obsolete -locations relative plivek common -ts translations/plivek_ru.ts
lupdate -silent -no-obsolete -locations relative zumoltc common -ts translations/zumoltc_ru.ts
