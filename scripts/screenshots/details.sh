# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The hotspot details: a search on the demo directory, a click on the first row, the detail
# window with its picture, the image window, a saved hotspot file and the About window.
# Sourced by scripts/screenshot.sh (see docs/screenshots.md).

shot_directory
shot_start --server "$SHOT_SERVER"

main=$(shot_window '^Pellomar hotspot locator')
shot_search "$main" 672 140         # "Search hotspots!" (8640, 1560 twips, under the menu bar)
# The first record's location name is the detail window's title; the result file is kept
# with the top bit of every byte flipped.
first_name=$(python3 -c '
import sys
data = bytes(b ^ 0x80 for b in open(sys.argv[1], "rb").read())
for line in data.split(b"\r\n"):
    if b"<>" in line:
        print(line.split(b"<")[0].strip().decode("utf-8", "replace"))
        break
' "$SHOT_DATA/tmp.txt")
shot_grab "$main" details-main-window
shot_click "$main" 100 236          # the first row
detail=$(shot_window "^$(printf '%s' "$first_name" | sed 's/[][\.*^$()+?{}|]/\\&/g')\$")
sleep 2                             # the picture arrives
shot_grab "$detail" detail-window

shot_click "$detail" 512 100        # the thumbnail
viewer=$(shot_window '^Hotspot location image$')
shot_grab "$viewer" image-window
xdotool windowunmap "$viewer"       # out of the way of the detail window

shot_click "$detail" 428 340        # "Save hotspot to a text file"
dialog=$(shot_window '^Save')
shot_grab "$dialog" save-dialog
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool type --delay 20 "$SHOT_DATA/hotspot.txt"
xdotool key Return
saved=$(shot_window '^Saved$')
shot_grab "$saved" saved-confirmation
shot_keys "$saved" Return
cp "$SHOT_DATA/hotspot.txt" "$shots/saved-hotspot.txt"
echo "screenshot: $shots/saved-hotspot.txt ($(wc -l <"$shots/saved-hotspot.txt") lines)"

shot_keys "$main" F1
about=$(shot_window '^About Pellomar hotspot finder$')
shot_grab "$about" about-window
shot_keys "$about" Return
shot_stop
