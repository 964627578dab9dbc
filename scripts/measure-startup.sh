#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Measures how long the program takes from process start until the launcher is shown, and its
# peak resident memory by then; prints the median of several runs, offscreen and under Xvfb.
#
#   scripts/measure-startup.sh [executable] [runs]
#
# Both are observed from outside the real executable:
# - offscreen: the launcher has been shown and painted when the main thread first sleeps in
#   poll(2), i.e. the event loop has nothing left to do;
# - Xvfb (no window manager): when xwininfo first reports the "Kelvane Extras" window viewable.
#   Each check starts a process, so this figure is a few milliseconds late at most.
# Peak memory is the kernel's VmHWM, read after the launcher has been up for a moment.
# Needs bash 5, Xvfb and xwininfo (x11-utils).
set -euo pipefail

exe=${1:-build/release/src/app/kelvane-extras}
runs=${2:-10}
poll_interval=0.002
settle=0.3
give_up_us=10000000

[ -x "$exe" ] || {
    echo "no executable at $exe (build it first: cmake --preset release && cmake --build --preset release)" >&2
    exit 1
}

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A descriptor that never delivers data: `read -t` on it pauses without starting a process.
exec {pause_fd}<> <(:)
pause() { read -r -t "$1" -u "$pause_fd" || true; }

launcher_idle() { # pid
    local nr rest
    read -r nr rest <"/proc/$1/syscall" 2>/dev/null || return 1
    [[ $nr == 7 || $nr == 271 ]] # poll, ppoll
}

launcher_mapped() {
    xwininfo -name "Kelvane Extras" 2>/dev/null | grep -q IsViewable
}

# One run: prints "<microseconds to shown> <peak kB>".
measure_once() { # shown-test
    local shown=$1 start pid elapsed peak
    start=${EPOCHREALTIME/[.,]/}
    "$exe" >/dev/null 2>&1 &
    pid=$!
    until "$shown" "$pid"; do
        elapsed=$((10#${EPOCHREALTIME/[.,]/} - 10#$start))
        if ! kill -0 "$pid" 2>/dev/null || ((elapsed > give_up_us)); then
            echo "the launcher did not show" >&2
            kill "$pid" 2>/dev/null || true
            return 1
        fi
        pause "$poll_interval"
    done
    elapsed=$((10#${EPOCHREALTIME/[.,]/} - 10#$start))
    pause "$settle"
    peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$elapsed $peak"
}

median() { # column
    sort -n -k "$1" "$work/runs" | awk -v c="$1" '{ v[NR] = $c }
        END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

report() { # label shown-test
    local label=$1 shown=$2
    : >"$work/runs"
    for ((run = 0; run < runs; ++run)); do
        measure_once "$shown" >>"$work/runs"
    done
    local time_us peak_kb
    time_us=$(median 1)
    peak_kb=$(median 2)
    printf '%-10s median of %d: shown after %.1f ms, peak RSS %.1f MB\n' "$label" "$runs" \
        "$(awk -v t="$time_us" 'BEGIN { print t / 1000 }')" \
        "$(awk -v k="$peak_kb" 'BEGIN { print k / 1024 }')"
    awk '{ printf "  %.1f ms  %.1f MB\n", $1 / 1000, $2 / 1024 }' "$work/runs"
}

# A warm-up run fills the page cache, so every measured run starts alike.
QT_QPA_PLATFORM=offscreen measure_once launcher_idle >/dev/null
QT_QPA_PLATFORM=offscreen report offscreen launcher_idle

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
display_number=
until [[ $display_number =~ ^[0-9]+$ ]]; do
    pause 0.05
    read -r display_number <"$work/display" || true
done
export DISPLAY=":$display_number"
until xwininfo -root >/dev/null 2>&1; do pause 0.05; done
export QT_QPA_PLATFORM=xcb
measure_once launcher_mapped >/dev/null
report Xvfb launcher_mapped
