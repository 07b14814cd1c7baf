#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the program from the build tree, pointed at the demo directory server on a free
# loopback port; the server stops when the program exits. Arguments after the build folder
# go to the program.
set -euo pipefail

# Without a display the window cannot open: say so in one line, before anything starts.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); run 'make run' in a desktop session, or 'make screenshot' to see the program without one" >&2
  exit 1
fi

build=${1:-build}
shift || true
program="$build/bin/pellomar"
server="$build/bin/pellomar-directory"

if [ ! -x "$server" ]; then
  echo "run: $server is not built; starting the program on its default directory server" >&2
  exec "$program" "$@"
fi

out=$(mktemp)
server_pid=
program_pid=
stop() {
  for pid in $program_pid $server_pid; do
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    fi
  done
  rm -f "$out"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The server's request log goes to its stderr, which stays on the terminal.
"$server" --listen 127.0.0.1:0 >"$out" &
server_pid=$!

# Its first line of output names the port it chose: "listening on 127.0.0.1:PORT".
port=
for _ in $(seq 1 300); do
  port=$(sed -n '1s/.*127\.0\.0\.1:\([0-9][0-9]*\).*/\1/p' "$out")
  [ -n "$port" ] && break
  if ! kill -0 "$server_pid" 2>/dev/null; then
    echo "run: the demo directory server did not start" >&2
    exit 1
  fi
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "run: the demo directory server named no port" >&2
  exit 1
fi

echo "run: demo directory at http://127.0.0.1:$port/" >&2
# In the background so that a signal to this script is handled at once, not after the program.
"$program" --server "127.0.0.1:$port" \
  --tile-server "http://127.0.0.1:$port/tiles/{z}/{x}/{y}{r}.png" "$@" &
program_pid=$!
status=0
wait "$program_pid" || status=$?
program_pid=
exit $status
