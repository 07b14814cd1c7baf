# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# A first start on a directory that cannot be reached: the message that offers another, the
# "Directory server" dialog, two searches on the demo directory chosen there, and "Recent
# searches". Sourced by scripts/screenshot.sh (see docs/screenshots.md).

# The choice is kept in the settings: a settings folder of the run's own, not the user's.
export XDG_CONFIG_HOME="$work/config"
shot_directory
# A port on which nothing listens stands for a directory out of reach.
closed_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
shot_start --server "127.0.0.1:$closed_port"
main=$(shot_window '^Pellomar hotspot locator')
shot_click "$main" 672 140          # "Search hotspots!"
offer=$(shot_window '^Search hotspots$')
shot_grab "$offer" directory-unreachable
shot_keys "$offer" Return           # Yes: the dialog
dialog=$(shot_window '^Directory server$')
shot_keys "$dialog" ctrl+a
xdotool type --delay 20 "$SHOT_SERVER"
shot_grab "$dialog" directory-dialog
shot_keys "$dialog" Return
shot_stop

# The choice holds at the next start; two cities searched, then the searches kept.
shot_start
main=$(shot_window '^Pellomar hotspot locator')
for city in "New York" "Chicago"; do
  shot_click "$main" 650 70           # the City field
  shot_key "$main" ctrl+a
  shot_type "$main" "$city"
  rm -f "$SHOT_DATA/tmp.txt"
  shot_search "$main" 672 140
done
shot_keys "$main" ctrl+r
recent=$(shot_window '^Recent searches$')
shot_grab "$recent" recent-searches
shot_stop
