# The map window over the demo directory's own tiles, with the hotspots of Nice, at 1x and 2x
# (map.png, map@2x.png), and with its tile server unreachable (map-offline.png). Until the main
# window opens the map, build/bin/map_preview shows it and writes its picture itself.
# Sourced by scripts/screenshot.sh (see docs/screenshots.md).

preview="$build/bin/map_preview"
[ -x "$preview" ] || { echo "screenshot: $preview is not built" >&2; exit 1; }
shot_directory
map_preview() {
  "$preview" "$1" "$build/bin/directory/hotspots.txt" Nice "$shots/$2.png" 2>>"$work/map.log"
  echo "screenshot: $shots/$2.png"
}
map_preview "http://$SHOT_SERVER" map
QT_SCALE_FACTOR=2 map_preview "http://$SHOT_SERVER" map@2x
# A port on which nothing listens (the system hands out a free one and it is closed again): the
# tiles fail, the markers stay.
closed_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
map_preview "http://127.0.0.1:$closed_port" map-offline
