#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds, and runs every test: the release build, the same suite
# under AddressSanitizer + UndefinedBehaviorSanitizer, then a short fuzz run.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

log=$(mktemp)
trap 'rm -f "$log"' EXIT

echo "== Release build and tests"
cmake --workflow --preset default | tee -a "$log"

echo "== Sanitizer build and tests"
cmake --workflow --preset asan | tee -a "$log"

echo "== Fuzz run"
cmake --workflow --preset fuzz
scripts/run-fuzz.sh "${FUZZ_SECONDS:-30}"

# Both ctest runs stop the script on a failure, so every test counted here has passed.
passed=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" |
         awk '{ total += $1 } END { print total + 0 }')
echo "tests: $passed passed, 0 failed"
