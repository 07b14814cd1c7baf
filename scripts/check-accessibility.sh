#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the accessibility tree of the main window as a screen reader reads it: the program
# runs on a virtual X display (Xvfb) with its own session bus and AT-SPI bus, on a result
# file of three hotspots, and scripts/check-accessibility.py walks what it exposes.
#
#   scripts/check-accessibility.sh [BUILD]
#
# Needs xvfb, dbus, at-spi2-core and python3-pyatspi (scripts/setup.sh does not install the
# last: only this check uses it).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
program="$build/bin/pellomar"
[ -x "$program" ] || { echo "check-accessibility: $program is missing" >&2; exit 1; }
for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "check-accessibility: $tool is missing" >&2; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null \
  || { echo "check-accessibility: python3-pyatspi is missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The result file is kept scrambled: every byte with its top bit flipped.
python3 - "$work/tmp.txt" <<'PY'
import sys
plain = (b"Zeta Cafe<>free<>Op B<><><><>Cafe<><><>Austin<>US\r\n-\r\n"
         b"Alpha Bar<>comm<>Op C<><><><>Bar<><><>Austin<>US\r\n-\r\n"
         b"Mid Hotel<>reg<>Op A<><><><>Hotel<><><>Austin<>US\r\n-\r\n")
open(sys.argv[1], "wb").write(bytes(b ^ 0x80 for b in plain))
PY

export PROGRAM="$program" WORK="$work" HERE="$here"
dbus-run-session -- bash -c '
  set -euo pipefail
  pids=()
  trap "for p in \${pids[@]}; do kill \$p 2>/dev/null || true; done; wait 2>/dev/null || true" EXIT
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$WORK/display")"
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/bus.log" 2>&1 &
  pids+=($!)
  sleep 1
  # Qt exposes its accessibility tree only when a screen reader asks, or when told to.
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    "$PROGRAM" --data-dir "$WORK" --server 127.0.0.1:9 >"$WORK/program.log" 2>&1 &
  pids+=($!)
  /usr/bin/python3 "$HERE/check-accessibility.py" 3
'
