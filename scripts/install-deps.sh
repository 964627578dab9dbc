#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian 12 packages needed to build, run and test the program.
# Does nothing when everything is already there; otherwise one apt-get update, then one install.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev
  qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libxcb1-dev libxml2-dev zlib1g-dev pkgconf libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth x11-utils desktop-file-utils
  dbus at-spi2-core python3-pyatspi xdotool xclip poppler-utils
  dpkg-dev file lintian appstream reuse
)

missing=()
for pkg in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
