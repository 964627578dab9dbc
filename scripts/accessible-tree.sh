#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Works the program by keyboard alone and prints what a screen reader finds in each window, read
# through AT-SPI: the launcher; Team Analysis after a paste and an analysis; the NRS Calculator
# after a calculation in each situation. Fails when a control has no name, or when a change that
# a screen reader should announce is not announced.
#
#   scripts/accessible-tree.sh [executable]
#
# The program runs on a display and a D-Bus session of its own, with its own accessibility bus,
# so the desktop the script is started from is left alone. ACCESSIBLE_TREE_SHOTS=dir keeps a
# picture of the screen at each step (with ImageMagick's import). Exits 77 when a tool it needs is
# missing.
set -euo pipefail

exe=$(realpath "${1:-build/default/src/app/kelvane-extras}")
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${ACCESSIBLE_TREE_INSIDE:-}" ]; then
    for tool in xvfb-run dbus-run-session xdotool xclip /usr/libexec/at-spi-bus-launcher; do
        command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 77; }
    done
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
        { echo "missing: python3-pyatspi" >&2; exit 77; }
    [ -x "$exe" ] || { echo "no executable at $exe" >&2; exit 1; }
    export ACCESSIBLE_TREE_INSIDE=1
    # xvfb-run -a looks for a free display from :99 on, where other runs may be starting at the
    # same moment; starting the search elsewhere keeps two of them off one display.
    exec xvfb-run -a -n $((200 + RANDOM % 500)) -s "-screen 0 1280x1024x24" \
        dbus-run-session -- "$0" "$exe"
fi

# Inside the display and the session bus. The numbers are typed and read in one notation.
export LC_ALL=C.UTF-8
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
# Settings of its own, gone with the walk: the user's remembered rules and game stay out of it,
# and it leaves them as they were.
export XDG_CONFIG_HOME=$XDG_RUNTIME_DIR/config
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

# Runs the command given until it succeeds, for at most $1 seconds: long enough for a busy machine.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}
bus_is_up() {
    [[ $(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null) == *"boolean true"* ]]
}
program_ended() {
    ! kill -0 "$program" 2>/dev/null
}
walker_ready() {
    [ -e "$listening" ] || ! kill -0 "$walker" 2>/dev/null
}

# The registry daemon starts on demand once the bus is there. The program starts after the bus
# has its name, so that it cannot ask for it first and have a second bus started.
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
wait_until 30 bus_is_up || { echo "FAIL: no accessibility bus after 30 s" >&2; exit 1; }

# The program asks which events are listened for once, as it starts, and never hears of a
# listener added while it asks; so the walk listens first, then says so by creating a file.
listening="$XDG_RUNTIME_DIR/listening"
/usr/bin/python3 "$here/accessible-tree.py" "$listening" &
walker=$!
pids+=("$walker")
wait_until 30 walker_ready || { echo "FAIL: the walk did not start listening in 30 s" >&2; exit 1; }

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$exe" &
program=$!
pids+=("$program")

wait "$walker" || exit

# The walk ends with Alt+X on the launcher, which ends the program.
status=0
if ! wait_until 30 program_ended; then
    echo "FAIL: the program did not end within 30 s of Alt+X on the launcher" >&2
    status=1
else
    wait "$program" || { echo "FAIL: the program ended with status $?" >&2; status=1; }
fi
exit "$status"
