#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the demo directory's home page and its submission form in a real browser: headless
# Chromium driven by Selenium, both from Debian, installed here on first use. Too heavy for
# `make test`; run it by hand after changing the page or the form.
#
#   scripts/check-homepage.sh [BUILD_DIR] [SCREENSHOT_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
shots=${2:-$build/check-homepage}
server="$build/bin/pellomar-directory"
[ -x "$server" ] || { echo "check-homepage: $server not built (cmake --build $build --target pellomar-directory)" >&2; exit 1; }

packages=(chromium chromium-driver python3-selenium)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "check-homepage: installing ${missing[*]}"
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d)
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A database of its own, so the hotspots the check submits vanish with it.
"$server" --listen 127.0.0.1:0 --database "$work/directory.db" >"$work/out" 2>"$work/log" &
server_pid=$!
for _ in $(seq 100); do
  grep -q '^listening on ' "$work/out" 2>/dev/null && break
  sleep 0.1
done
address=$(sed -n 's/^listening on //p' "$work/out")
[ -n "$address" ] || { echo "check-homepage: the server did not start:" >&2; cat "$work/log" >&2; exit 1; }

mkdir -p "$shots"
# Debian's Selenium belongs to the system Python, whatever python3 comes first on PATH.
/usr/bin/python3 "$here/check-homepage.py" "http://$address" "$shots"
