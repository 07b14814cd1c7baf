# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The map of a search's results over the demo directory's own tiles (map.png), of a 300-row
# search of New York in clusters and single markers (map-new-york.png, and its small copy
# readme-map.png for the README), and with its tile server unreachable (map-offline.png);
# map-2x.png is taken by hidpi.sh. Sourced by
# scripts/screenshot.sh (see docs/screenshots.md).

# map_shot TILE_ORIGIN NAME [CITY]: a search on the demo directory, of the city if given, then
# "Show map" (Ctrl+M).
map_shot() {
  shot_start --server "$SHOT_SERVER" --tile-server "$1/tiles/{z}/{x}/{y}{r}.png"
  local main map
  main=$(shot_window '^Pellomar hotspot locator')
  if [ -n "${3:-}" ]; then
    shot_click "$main" 650 70        # the City field
    shot_key "$main" ctrl+a
    shot_type "$main" "$3"
  fi
  shot_search "$main" 672 140        # "Search hotspots!"
  shot_keys "$main" ctrl+m
  map=$(shot_window '^Hotspot map$')
  sleep 2                             # the tiles arrive
  shot_grab "$map" "$2"
  shot_stop
}

shot_directory
map_shot "http://$SHOT_SERVER" map
map_shot "http://$SHOT_SERVER" map-new-york "New York"
# In few colours, so the README's picture stays small: copied to docs/map-new-york.png when the
# look changes.
pngtopnm "$shots/map-new-york.png" | pnmquant 64 2>/dev/null | pnmtopng -compression 9 >"$shots/readme-map.png"
echo "screenshot: $shots/readme-map.png"
# A port on which nothing listens (the system hands out a free one and it is closed again): the
# tiles fail, the markers stay.
closed_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
map_shot "http://127.0.0.1:$closed_port" map-offline
