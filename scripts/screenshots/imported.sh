# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Real hotspots: the Liechtenstein extract of the tests imported into a directory of its own,
# a search of Liechtenstein, and the detail window of a place whose access type and radio the
# data do not tell. Sourced by scripts/screenshot.sh (see docs/screenshots.md).

imported="$work/imported.db"
"$build/bin/pellomar-directory" --database "$imported" \
  --import-osm "$here/../tests/data/osm/liechtenstein-2013-08-03.osm.pbf" >/dev/null
shot_directory --database "$imported"
shot_start --server "$SHOT_SERVER"
main=$(shot_window '^Pellomar hotspot locator')
shot_click "$main" 450 70           # the Country field
shot_key "$main" ctrl+a
shot_type "$main" "Liechtenstein"
shot_search "$main" 672 140
shot_grab "$main" imported-main-window
shot_click "$main" 100 268          # the second row
detail=$(shot_window '^Pizzeria Amici$')
shot_grab "$detail" imported-detail-window
shot_stop
