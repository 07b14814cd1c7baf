#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The manual pages and --help name the same options: every option --help lists is in the page,
# and every option the page names is in --help.
#   manual_pages.sh BIN_DIR MAN_DIR
set -euo pipefail
bin=$1
man=$2
status=0
options() { grep -oE -- '(^|[^a-z-])--[a-z][a-z-]*' | grep -oE -- '--[a-z-]+' | sort -u; }
for program in pellomar pellomar-directory; do
  from_help=$(QT_QPA_PLATFORM=offscreen "$bin/$program" --help | options)
  from_page=$(sed -n '/^\.SH SYNOPSIS/,/^\.SH FILES/p' "$man/$program.1" | sed 's/\\-/-/g' | options)
  if [ "$from_help" != "$from_page" ]; then
    echo "$program: --help and $program.1 name different options:"
    diff <(echo "$from_help") <(echo "$from_page") | sed -n 's/^</  only in --help:/p; s/^>/  only in the page:/p'
    status=1
  fi
  [ -n "$from_help" ] || { echo "$program: --help names no option"; status=1; }
done
exit $status
