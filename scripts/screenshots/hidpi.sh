# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The windows at a scale factor of 2 (QT_SCALE_FACTOR=2), as on a high-density screen: the
# main window with results, a detail window and the About window, written as *-2x.png beside
# their 1x pictures. Sourced by scripts/screenshot.sh (see docs/screenshots.md).
#
# Twice the size needs a larger screen than the 1x pictures: a second virtual display of its
# own, used only here; the first one is back in use afterwards.
hidpi_1x_display=$DISPLAY
shot_xvfb display2x 2560x2048
export DISPLAY=$SHOT_XVFB QT_SCALE_FACTOR=2


shot_directory
shot_start --server "$SHOT_SERVER" --tile-server "http://$SHOT_SERVER/tiles/{z}/{x}/{y}{r}.png"
main=$(shot_window '^Pellomar hotspot locator')
shot_grab "$main" main-window-2x-start
# Coordinates are device pixels: twice the logical ones of the 1x scenarios.
MAX_RESULTS_SHOT=max-results-2x shot_search "$main" 1344 280  # "Search hotspots!"
shot_move "$main" 400 520            # frames a row
shot_grab "$main" main-window-2x
shot_click "$main" 200 472           # the first row
sleep 1
detail=""
for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
  name=$(xdotool getwindowname "$id" 2>/dev/null || true)
  case "$name" in ''|'Pellomar hotspot locator'*) ;; *) detail=$id ;; esac
done
[ -n "$detail" ] || { echo "screenshot: no detail window at 2x" >&2; exit 1; }
sleep 2                              # the picture arrives
shot_grab "$detail" detail-window-2x
shot_keys "$main" F1
about=$(shot_window '^About Pellomar hotspot finder$')
shot_grab "$about" about-window-2x
shot_keys "$about" Return
# The map of a 300-row search of New York: clusters and single markers. The detail window is
# put out of the way of the City field first.
xdotool windowunmap "$detail"
shot_click "$main" 1300 140          # the City field
shot_key "$main" ctrl+a
shot_type "$main" "New York"
rm -f "$SHOT_DATA/tmp.txt"
shot_search "$main" 1344 280
shot_keys "$main" ctrl+m
map=$(shot_window '^Hotspot map$')
sleep 2                              # the tiles arrive
shot_grab "$map" map-2x
shot_stop

export DISPLAY=$hidpi_1x_display
unset QT_SCALE_FACTOR
