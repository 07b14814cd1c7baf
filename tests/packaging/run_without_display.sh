#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# `make run` without a display: one line that says what is missing and what to do, a status
# other than 0, and no demo directory started.
#   run_without_display.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
cd "$1"
err=$(env -u DISPLAY -u WAYLAND_DISPLAY make --no-print-directory run BUILD="$2" 2>&1 >/dev/null)
status=$?
fail() { echo "$*"; echo "it said: $err"; exit 1; }
[ $status -ne 0 ] || fail "make run ended with status 0"
[ "$(grep -c . <<<"$err")" -eq 1 ] || fail "not one line"
grep -q 'DISPLAY' <<<"$err" && grep -q 'make screenshot' <<<"$err" || fail "no word of DISPLAY or make screenshot"
! grep -q 'demo directory' <<<"$err" || fail "the demo directory was started"
