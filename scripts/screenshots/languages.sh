# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The program in German, French and Spanish (LANG=de_DE.UTF-8, fr_FR, es_ES), at a scale factor of
# 1 and 2: the main window after a search of New York, a detail window and the map, written as
# main-window-de.png, detail-window-de-2x.png, map-fr.png and so on. Sourced by
# scripts/screenshot.sh (see docs/screenshots.md).
languages_1x_display=$DISPLAY
shot_xvfb display-lang 2560x2048
languages_2x_display=$SHOT_XVFB

shot_directory
for language in de fr es; do
  for scale in 1 2; do
    if [ "$scale" = 2 ]; then
      suffix=$language-2x DISPLAY=$languages_2x_display
    else
      suffix=$language DISPLAY=$languages_1x_display
    fi
    export DISPLAY
    LANG=${language}_${language^^}.UTF-8 LANGUAGE='' QT_SCALE_FACTOR=$scale shot_start --server "$SHOT_SERVER" \
      --tile-server "http://$SHOT_SERVER/tiles/{z}/{x}/{y}{r}.png"
    main=$(shot_window '^Pellomar')
    shot_click "$main" $((650 * scale)) $((70 * scale))     # the City field
    shot_type "$main" "New York"
    shot_click "$main" $((672 * scale)) $((140 * scale))    # the search button
    for _ in $(seq 100); do [ -s "$SHOT_DATA/tmp.txt" ] && break; sleep 0.1; done
    # The "Max Results" message, in the language's words.
    if box=$(shot_window '^(Max Results|H.*chstzahl|Nombre maximal|M.*ximo de)' 3 2>/dev/null); then
      shot_keys "$box" Return
    fi
    sleep 1
    shot_grab "$main" "main-window-$suffix"
    shot_click "$main" $((100 * scale)) $((236 * scale))    # the first row
    sleep 2
    detail=""
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
      name=$(xdotool getwindowname "$id" 2>/dev/null || true)
      case "$name" in ''|Pellomar*) ;; *) detail=$id ;; esac
    done
    [ -n "$detail" ] && shot_grab "$detail" "detail-window-$suffix" && xdotool windowunmap "$detail"
    shot_keys "$main" ctrl+m
    map=$(shot_window '^(Hotspot-Karte|Carte des hotspots|Mapa de hotspots)$')
    sleep 2                            # the tiles arrive
    shot_grab "$map" "map-$suffix"
    shot_stop
  done
done
export DISPLAY=$languages_1x_display
# The README's German picture, in few colours: copy it to docs/main-window-de.png.
pngtopnm "$shots/main-window-de.png" | pnmquant 32 2>/dev/null | pnmtopng -compression 9 >"$shots/readme-de.png"
echo "screenshot: $shots/readme-de.png"
