#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages the project needs to build, test and run, when any is missing.
# As root it calls apt-get directly, otherwise through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev libgl-dev           # Qt 6 Widgets, Network, Test (libgl-dev: Qt6Gui's CMake config needs OpenGL headers)
  libmicrohttpd-dev libsqlite3-dev  # the demo directory server: its HTTP library (an event loop, so slow clients hold no thread) and its store
  libicu-dev                       # the demo directory compares city names without accents or case (ICU's Latin-ASCII and case folding)
  libgif-dev                       # the demo directory's dataset writes its GIF pictures with giflib (Qt reads GIF but does not write it)
  libosmium2-dev libprotozero-dev  # the directory imports OpenStreetMap extracts with the field's own reader (every format, locations, multipolygons)
  zlib1g-dev libbz2-dev libexpat1-dev  # what libosmium reads PBF (zlib), .osm.bz2 and XML (expat) with
  libpng-dev                       # the demo directory draws its own map tiles and writes them as PNG with libpng (the server has no Qt)
  iso-codes python3                # regenerating countries.txt
  xvfb xauth fonts-dejavu-core     # headless screenshots; DejaVu Sans stands in for Verdana
  curl                             # benchmarks compare against curl's own timing
  apache2-utils                    # ab: the demo directory's benchmark loads it with 50 clients at once
  reuse                            # make test checks that every file names its licence (reuse lint)
  nginx-light                      # make test: the front of docs/deploy.md (cache, failover) before two directories
  qt6-l10n-tools qt6-tools-dev     # lupdate and lrelease make the translations, with their CMake package (Qt6LinguistTools)
  qt6-translations-l10n            # Qt's own texts (dialog buttons) in the program's languages
)
if [ -f "$(dirname "$0")/extra-packages.txt" ]; then
  # Further packages named by parts of the project, one per line, '#' for comments.
  while read -r p _; do
    case "$p" in ''|'#'*) ;; *) packages+=("$p") ;; esac
  done < "$(dirname "$0")/extra-packages.txt"
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "setup: these Debian packages are missing: ${missing[*]}" >&2
  echo "setup: run this script as root or install sudo, or install them by hand with apt-get." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
