#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the .deb from a finished build and checks it as Debian and the desktop would: lintian,
# AppStream and the desktop entry on what the package installs, then REUSE on the source tree.
# Writes only under the build directory.
# Usage: check-package.sh CPACK SOURCE_DIR BUILD_DIR
set -euo pipefail
cpack=$1
source_dir=$2
build_dir=$3

work=$build_dir/package-check
rm -rf "$work"
mkdir -p "$work/tmp"
# lintian unpacks the package under TMPDIR; the `git status` that reuse runs would refresh the
# index, and its worker processes would make semaphores in /dev/shm.
export TMPDIR=$work/tmp GIT_OPTIONAL_LOCKS=0

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

echo "== cpack"
"$cpack" --config "$build_dir/CPackConfig.cmake" -B "$work" >"$work/cpack.log" ||
  { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/kelvane-extras_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  fail "cpack made no single .deb: ${debs[*]}"
fi
deb=${debs[0]}
root=$work/root
dpkg-deb -x "$deb" "$root"

echo "== lintian (fails on errors and warnings; info and pedantic tags are shown)"
lintian --no-cfg --ignore-lintian-env --fail-on error,warning --display-info --pedantic "$deb" ||
  fail "lintian"

echo "== versions"
deb_version=$(dpkg-deb -f "$deb" Version)
changelog_version=$(dpkg-parsechangelog -l "$source_dir/packaging/changelog" -S Version)
metainfo=$(echo "$root"/usr/share/metainfo/*.metainfo.xml)
release_version=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p;T;q' "$metainfo")
[ "$changelog_version" = "$deb_version" ] ||
  fail "packaging/changelog is at $changelog_version, the package at $deb_version"
[ "$release_version" = "$deb_version" ] ||
  fail "the newest release in the metainfo is $release_version, the package is $deb_version"
zcat "$root/usr/share/man/man1/kelvane-extras.1.gz" | sed -n '/^\.TH /p' |
  grep -F "\"Kelvane Extras $deb_version\"" >/dev/null ||
  fail "the man page's .TH line does not name version $deb_version"
echo "$deb_version"

echo "== AppStream"
appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli validate-tree"
while read -r image; do
  [ -f "$source_dir/docs/$image" ] || fail "the metainfo shows docs/$image, which is not there"
done < <(sed -n 's|.*<image>.*/docs/\([^<]*\)</image>.*|\1|p' "$metainfo")

echo "== desktop entry"
for entry in "$root"/usr/share/applications/*.desktop; do
  report=$(desktop-file-validate "$entry") || fail "desktop-file-validate: $report"
  [ -z "$report" ] || fail "desktop-file-validate: $report"
done

echo "== REUSE"
reuse --no-multiprocessing --root "$source_dir" lint ||
  fail "reuse lint: give the files above an SPDX header, or a .license file beside them"
