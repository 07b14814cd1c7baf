#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes PNG screenshots of the program's windows on a virtual X display (Xvfb).
#
#   scripts/screenshot.sh [BUILD] [SCENARIO...]
#
# Without SCENARIO it takes the main window and then runs every scenario in
# scripts/screenshots/*.sh. A scenario is a bash file sourced by this script; it uses the
# functions below to start the program, click, type and grab windows. See docs/screenshots.md.
# The pictures go to BUILD/screenshots/.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
shift || true
program="$build/bin/pellomar"
shots="$build/screenshots"
[ -x "$program" ] || { echo "screenshot: $program is missing; run make build first" >&2; exit 1; }
for tool in Xvfb xdotool xwd xwdtopnm pnmtopng; do
  command -v "$tool" >/dev/null || { echo "screenshot: $tool is missing; run make setup" >&2; exit 1; }
done
mkdir -p "$shots"

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# --- The virtual display ---------------------------------------------------------------
# shot_xvfb NAME WIDTHxHEIGHT: starts a virtual display of that size and puts its name (":N")
# in SHOT_XVFB; scenarios that need a larger screen start one of their own. A free display
# number is chosen by Xvfb itself (-displayfd). 96 dpi, as the design assumes. -noreset: by
# default the server resets when its last client leaves, and a program started in that moment
# (the next scenario's) finds no display.
shot_xvfb() {
  Xvfb -displayfd 3 -screen 0 "${2}x24" -dpi 96 -nolisten tcp -noreset 3>"$work/$1" 2>"$work/$1.log" &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$work/$1" ] && break; sleep 0.1; done
  [ -s "$work/$1" ] || { echo "screenshot: Xvfb did not start:" >&2; cat "$work/$1.log" >&2; exit 1; }
  SHOT_XVFB=":$(head -n1 "$work/$1")"
}
shot_xvfb display 1280x1024
export DISPLAY=$SHOT_XVFB
export QT_QPA_PLATFORM=xcb QT_FONT_DPI=96
unset WAYLAND_DISPLAY
# The scenarios find windows by their English titles; languages.sh asks for the others.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8

# --- Functions for scenarios -------------------------------------------------------------

# shot_start [ARGS...]: starts the program with a fresh data folder (its own tmp.txt and img.dat)
# and the given arguments; the data folder is in $SHOT_DATA.
shot_start() {
  SHOT_DATA=$(mktemp -d "$work/data.XXXXXX")
  "$program" --data-dir "$SHOT_DATA" "$@" >"$work/program.log" 2>&1 &
  SHOT_PID=$!
  pids+=("$SHOT_PID")
}

# shot_directory [ARGS...]: starts the demo directory server on a free loopback port with the
# given arguments and sets SHOT_SERVER to its HOST:PORT, for `shot_start --server "$SHOT_SERVER"`.
shot_directory() {
  local server="$build/bin/pellomar-directory" out port=""
  [ -x "$server" ] || { echo "screenshot: $server is not built" >&2; return 1; }
  out=$(mktemp "$work/directory.XXXXXX")
  "$server" --listen 127.0.0.1:0 "$@" >"$out" 2>"$work/directory.log" &
  pids+=($!)
  # Its first line names the port it chose: "listening on 127.0.0.1:PORT".
  for _ in $(seq 300); do
    port=$(sed -n '1s/.*127\.0\.0\.1:\([0-9][0-9]*\).*/\1/p' "$out")
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || { echo "screenshot: the demo directory named no port" >&2; return 1; }
  SHOT_SERVER="127.0.0.1:$port"
}

# shot_stop: ends the program started last.
shot_stop() {
  kill "$SHOT_PID" 2>/dev/null || true
  wait "$SHOT_PID" 2>/dev/null || true
}

# shot_window TITLE [SECONDS]: prints the id of the visible window whose title matches the
# regular expression TITLE, waiting for it up to SECONDS (default 15).
shot_window() {
  local title=$1 seconds=${2:-15} id=""
  for _ in $(seq $((seconds * 10))); do
    id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | tail -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "screenshot: no window titled '$title' appeared" >&2
  [ -f "$work/program.log" ] && cat "$work/program.log" >&2
  return 1
}

# shot_click WINDOW X Y: a left click at X,Y (logical pixels inside the window, menu bar
# included). Use the design's twips / 15 plus the menu bar's height for controls of a main
# window.
shot_click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# shot_move WINDOW X Y: moves the mouse pointer there (for hover effects).
shot_move() {
  xdotool mousemove --window "$1" "$2" "$3"
}

# shot_type WINDOW TEXT: types TEXT into the focused control of WINDOW.
shot_type() {
  xdotool type --window "$1" --delay 20 "$2"
}

# shot_key WINDOW KEY...: presses keys, named as xdotool names them (Tab, Return, F1, alt+o).
shot_key() {
  local window=$1
  shift
  xdotool key --window "$window" "$@"
}

# shot_keys WINDOW KEY...: keys typed through the X test extension into WINDOW, given the focus
# first: message boxes and the file dialog take them so.
shot_keys() {
  local window=$1
  shift
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key "$@"
}

# shot_search WINDOW X Y: clicks "Search hotspots!" at X,Y and waits until the reply is stored
# (the result file holds records), answering the "Max Results" message a large reply brings;
# with MAX_RESULTS_SHOT set, that message's picture is taken under that name first.
shot_search() {
  local box
  shot_click "$1" "$2" "$3"
  for _ in $(seq 100); do
    [ -s "$SHOT_DATA/tmp.txt" ] && break
    sleep 0.1
  done
  for _ in 1 2 3; do
    box=$(shot_window '^Max Results' 3 2>/dev/null) || break
    [ -n "${MAX_RESULTS_SHOT:-}" ] && shot_grab "$box" "$MAX_RESULTS_SHOT"
    shot_keys "$box" Return
    sleep 0.5
  done
  sleep 1
}

# shot_grab WINDOW NAME: writes the window's picture to $shots/NAME.png.
shot_grab() {
  sleep "${SHOT_SETTLE:-0.5}"   # let the window finish painting
  xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmtopng >"$shots/$2.png"
  echo "screenshot: $shots/$2.png"
}

# shot_grab_screen NAME: the whole virtual display, every window on it.
shot_grab_screen() {
  sleep "${SHOT_SETTLE:-0.5}"
  xwd -silent -root | xwdtopnm 2>/dev/null | pnmtopng >"$shots/$1.png"
  echo "screenshot: $shots/$1.png"
}

# --- Scenarios ---------------------------------------------------------------------------

scenario_main_window() {
  shot_start
  local main
  main=$(shot_window '^Pellomar hotspot locator')
  shot_grab "$main" main-window
  shot_stop
}

if [ $# -eq 0 ]; then
  scenario_main_window
  for scenario in "$here"/screenshots/*.sh; do
    [ -e "$scenario" ] || continue
    echo "screenshot: scenario $(basename "$scenario")"
    # shellcheck source=/dev/null
    source "$scenario"
  done
else
  for scenario in "$@"; do
    if [ "$scenario" = main-window ]; then
      scenario_main_window
    else
      # shellcheck source=/dev/null
      source "$here/screenshots/$scenario.sh"
    fi
  done
fi

# The README opens with the main window after a search, in few colours so the picture stays
# small: copy build/screenshots/readme.png to docs/main-window.png when the look changes.
if [ -s "$shots/details-main-window.png" ]; then
  pngtopnm "$shots/details-main-window.png" | pnmquant 32 2>/dev/null | pnmtopng -compression 9 >"$shots/readme.png"
  echo "screenshot: $shots/readme.png"
fi
