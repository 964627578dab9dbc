#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Fuzzes the paste and the analysis for SECONDS (default 30) in all, shared by its three targets
# (the text, the HTML copy, Gnumeric's copy), each on a corpus kept under the work directory.
# Exits non-zero when a fuzzer finds a crash, a hang or a broken check.
#   FUZZ_BINARIES  the directory of the fuzz binaries  (default build/fuzz/fuzz)
#   FUZZ_WORKDIR   corpora and crash files  (default build/fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
binaries=${FUZZ_BINARIES:-build/fuzz/fuzz}
workdir=${FUZZ_WORKDIR:-build/fuzz}
artifacts=$workdir/artifacts/
mkdir -p "$artifacts"

# The first byte of an input picks the locale (C, en_US, de_DE, fr_FR, hi_IN, ar_EG, he_IL by its
# value modulo 7: "F" is C, "G" en_US, "H" de_DE, "I" fr_FR, "J" hi_IN, "K" ar_EG, "L" he_IL).
corpus=$workdir/corpus-paste
seed() { mkdir -p "$corpus"; printf '%b' "$2" >"$corpus/seed-$1"; }
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
seed trailing 'G\u20ac 20,50-\t60\n\uffe51,250.00\t30\n\u0967,\u0968\u096b\u0966.\u0966\u0966\t45\n'

# The HTML of a copy as LibreOffice offers it: a value and a format for each cell.
corpus=$workdir/corpus-paste-html
seed red 'G<table><tr><td sdval="-20.5" sdnum="1033;1033;0.00;[RED]0.00"><font color="#FF0000">20.50</font></td><td sdval="0.0625" sdnum="1033;0;[MM]:SS">90:00</td></tr>\n<tr><td>1,250.00</td><td sdval="45,5" sdnum="1031;1031;0,000">45,500</td></tr><tr><td><br></td></tr></table>'

# Gnumeric's copy, then as many bytes of plain text as the second byte says.
corpus=$workdir/corpus-paste-gnumeric
seed range 'G\x0f<gnm:ClipboardRange xmlns:gnm="http://www.gnumeric.org/v10.dtd" Cols="3" Rows="2"><gnm:Cols><gnm:ColInfo No="1" Hidden="1"/></gnm:Cols><gnm:Styles><gnm:StyleRegion startCol="2" startRow="0" endCol="2" endRow="1"><gnm:Style Format="[h]:mm"/></gnm:StyleRegion></gnm:Styles><gnm:Cells><gnm:Cell Row="0" Col="0" ValueType="40" ValueFormat="0.00;[Red]0.00">-20.5</gnm:Cell><gnm:Cell Row="0" Col="2" ValueType="40">0.0625</gnm:Cell><gnm:Cell Row="1" Col="0" ValueType="60">5</gnm:Cell><gnm:Cell Row="1" Col="2" ValueType="40">0.5</gnm:Cell></gnm:Cells></gnm:ClipboardRange>20.50\t90:00\n5\t12:00'
printf 'G\x00' >"$corpus/seed-gzip"
printf '<gnm:ClipboardRange Cols="2" Rows="1"><gnm:Cells><gnm:Cell Row="0" Col="0" ValueType="40">-5</gnm:Cell><gnm:Cell Row="0" Col="1" ValueType="40" ValueFormat="[mm]:ss">0.0625</gnm:Cell></gnm:Cells></gnm:ClipboardRange>' |
    gzip -n >>"$corpus/seed-gzip"

share=$(( (seconds + 2) / 3 ))
for target in fuzz_paste fuzz_paste_html fuzz_paste_gnumeric; do
    echo "== $target"
    corpus=$workdir/corpus-$(echo "${target#fuzz_}" | tr _ -)
    "$binaries/$target" -max_total_time="$share" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus"
done
