#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the release build, the same suite
# under AddressSanitizer + UndefinedBehaviorSanitizer, then a short fuzz run.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

echo "== Release build and tests"
cmake --workflow --preset default

echo "== Sanitizer build and tests"
cmake --workflow --preset asan

if [ -d fuzz ]; then
    echo "== Fuzz run"
    cmake --workflow --preset fuzz
    scripts/run-fuzz.sh "${FUZZ_SECONDS:-30}"
fi
