#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS (default 60),
# starting from its seed corpus in fuzz/corpus/<target>/. New inputs go to a scratch copy,
# so the committed corpus only changes by hand (a crash found is kept there on purpose).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
build=${FUZZ_BUILD:-build-fuzz}
CXX=clang++ cmake -S fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
status=0
for bin in "$build"/fuzz_*; do
  [ -x "$bin" ] || continue
  name=$(basename "$bin")
  work="$build/work/$name"
  mkdir -p "$work" "fuzz/corpus/$name"
  echo "== $name (${seconds}s)"
  if ! "$bin" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
      -artifact_prefix="$build/crash-$name-" -print_final_stats=0 \
      "$work" "fuzz/corpus/$name" > "$build/$name.log" 2>&1; then
    echo "!! $name found a fault; input and log in $build/" >&2
    tail -n 30 "$build/$name.log" >&2
    status=1
  else
    grep -E '^Done|#[0-9]+.*DONE' "$build/$name.log" | tail -n 1 || true
  fi
done
exit $status
