#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Fuzzes the paste and the analysis for SECONDS (default 30) on a corpus kept under the work
# directory. Exits non-zero when the fuzzer finds a crash, a hang or a broken check.
#   FUZZ_PASTE    the fuzz binary  (default build/fuzz/fuzz/fuzz_paste)
#   FUZZ_WORKDIR  corpus and crash files  (default build/fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
binary=${FUZZ_PASTE:-build/fuzz/fuzz/fuzz_paste}
workdir=${FUZZ_WORKDIR:-build/fuzz}
corpus=$workdir/corpus-paste
artifacts=$workdir/artifacts/
mkdir -p "$corpus" "$artifacts"

# The first byte of an input picks the locale (C, en_US, de_DE, fr_FR, hi_IN, ar_EG, he_IL by its
# value modulo 7: "F" is C, "G" en_US, "H" de_DE, "I" fr_FR, "J" hi_IN, "K" ar_EG, "L" he_IL).
seed() { printf '%b' "$2" >"$corpus/seed-$1"; }
seed crlf 'F5\t30\r\n-20\t45\r\n'
seed lf 'G-1,250.00\t95\n$300\t1:30:30\n(20.00)\t0:45\n'
seed nobreak 'F150\t12:30\r\n7\t45'
seed german 'H-1.250,50\t1:30\r\n2,5\t45\r\n'
seed french 'I1\u202f250,5\t90\r\n'
seed header 'FWon\tMinutes\r\n5\t30\r\n'
seed accounting 'G$(20.00)\t01:30:00 AM\n$-\t1:30 PM\n-$5\t12:45:00 AM\n'
seed spaces 'I1\u00a0250,00 \u20ac\t90\r\n(35,00) \u20ac\t1:30\r\n'
seed arabic 'K\u061c-\u0661\u066c\u0662\u0665\u0660\u066b\u0665\t90\r\n\u0662\u0660\t1:30\r\n'
seed hebrew 'L\u200e-1,250.5\t90\r\n20\t45\r\n'
seed spike 'F0\t60\r\n0\t60\r\n0\t60\r\n0\t60\r\n0\t60\r\n1000\t60\r\n0\t60\r\n0\t60\r\n0\t60\r\n'

"$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts" "$corpus"
