#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Copies the first four rows of each sample sheet with the spreadsheet's own Ctrl+C under Xvfb and saves every
# flavour of interest that the spreadsheet offers, to build the paste's tests from real copies.
# With PASTE_INTO set to the program, also pastes each copy into Team Analysis (under en_US) and
# saves a picture of the screen beside the flavours.
# Needs libreoffice-calc, gnumeric, xvfb, xdotool, xclip and imagemagick (for trying only; not
# dependencies of the program).
#   [PASTE_INTO=build/default/src/app/kelvane-extras] scripts/copy-from-spreadsheets.sh OUTDIR [KIND...]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "$1"); shift
sheets=$out/sheets
python3 scripts/sample-sheets.py "$sheets"
kinds=("$@")
[ ${#kinds[@]} -gt 0 ] || kinds=($(ls "$sheets" | sed -n 's/\.fods$//p'))

display=:$((300 + $$ % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
export DISPLAY=$display
sleep 1

# A profile of its own, with no tip of the day to close first.
profile=$out/lo-profile
mkdir -p "$profile/user"
cat >"$profile/user/registrymodifications.xcu" <<'XCU'
<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Setup/Office"><prop oor:name="ooSetupInstCompleted" oor:op="fuse"><value>true</value></prop></item>
</oor:items>
XCU

locale_of() { sed -n "s/^ *\"$1\": (\"\([a-z]*\)\", \"\([A-Z]*\)\".*/\1_\2.UTF-8/p" scripts/sample-sheets.py; }

# Waits for a window whose name matches, selects two columns and four rows from A1, as the
# user sees them, and copies; $2 is the key that reaches column B.
copy_range() {
    local window=""
    for _ in $(seq 60); do
        window=$(xdotool search --name "^$1" 2>/dev/null | tail -1) && [ -n "$window" ] && break
        sleep 1
    done
    [ -n "$window" ] || { echo "no window $1"; return 1; }
    sleep 4
    xdotool windowfocus --sync "$window"
    xdotool key --window "$window" ctrl+Home "${2:-shift+Right}" shift+Down shift+Down shift+Down
    sleep 1
    xdotool key --window "$window" ctrl+c
    sleep 2
}

save_flavours() {
    local to=$1
    mkdir -p "$to"
    xclip -selection clipboard -t TARGETS -o >"$to/TARGETS" 2>/dev/null || true
    for target in UTF8_STRING text/html application/x-gnumeric text/rtf \
                  application/x-openoffice-embed-source-xml\;windows_formatname=\"Star\ Embed\ Source\ \(XML\)\"; do
        grep -qxF "$target" "$to/TARGETS" || continue
        xclip -selection clipboard -t "$target" -o >"$to/$(echo "$target" | tr '/;= "()' '_______')" 2>/dev/null || true
    done
}

# Opens Team Analysis from the launcher, pastes with Alt+P and pictures the result.
paste_into_program() {
    [ -n "${PASTE_INTO:-}" ] || return 0
    LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$PASTE_INTO" >/dev/null 2>&1 &
    local program=$! window=""
    for _ in $(seq 30); do
        window=$(xdotool search --name "^Kelvane Extras$" 2>/dev/null | tail -1) && [ -n "$window" ] && break
        sleep 1
    done
    xdotool windowfocus --sync "$window" key --clearmodifiers Tab space
    sleep 2
    window=$(xdotool search --name "^Team Analysis$" | tail -1)
    xdotool windowfocus --sync "$window" key --clearmodifiers alt+p
    sleep 3
    import -window root "$1/pasted.png"
    kill $program 2>/dev/null || true; wait $program 2>/dev/null || true
}

for kind in "${kinds[@]}"; do
    lang=$(locale_of "$kind")
    echo "== $kind ($lang)"
    LANG=$lang LC_ALL=$lang /usr/lib/libreoffice/program/soffice.bin -env:UserInstallation="file://$profile" --norestore --calc \
        "$sheets/$kind.fods" >/dev/null 2>&1 &
    office=$!
    copy_range "$kind.fods" && save_flavours "$out/libreoffice/$kind" &&
        paste_into_program "$out/libreoffice/$kind"
    kill $office 2>/dev/null || true; wait $office 2>/dev/null || true

    LANG=$lang LC_ALL=$lang gnumeric --no-splash "$sheets/$kind.gnumeric" >/dev/null 2>&1 &
    gnm=$!
    # Gnumeric lays out a right-to-left locale's sheet from the right.
    case $lang in ar_* | fa_* | he_*) across=shift+Left ;; *) across=shift+Right ;; esac
    copy_range "$kind.gnumeric" "$across" && save_flavours "$out/gnumeric/$kind" &&
        paste_into_program "$out/gnumeric/$kind"
    kill $gnm 2>/dev/null || true; wait $gnm 2>/dev/null || true
done
