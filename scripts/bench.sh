#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs every benchmark of the build tree, one after the other (they measure this machine), and
# prints their figures as one table: median, min and max of the runs, the budget, and the ratio
# to the figure each one is compared with.
#
#   scripts/bench.sh [--strict] [--markdown] [BUILD]
#
# --markdown  the table in Markdown, as the README shows it
# --strict    exit 1 when a figure is over its budget or a benchmark fails (also BENCH_STRICT=1);
#             without it the table only flags them, since a loaded machine can push a figure over
# The benchmarks' own output is kept in BUILD/bench-logs/.
set -euo pipefail

strict=${BENCH_STRICT:-0}
markdown=0
build=build
for arg in "$@"; do
  case "$arg" in
    --strict) strict=1 ;;
    --markdown) markdown=1 ;;
    -h|--help) sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "bench.sh: unknown option $arg" >&2; exit 2 ;;
    *) build=$arg ;;
  esac
done

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export QT_LOGGING_RULES=${QT_LOGGING_RULES:-qt.qpa.*=false}
logs="$build/bench-logs"
mkdir -p "$logs"

# The order of the table; any other bench_* program follows.
order=(bench_results bench_search bench_details bench_startup bench_memory)
programs=()
for name in "${order[@]}"; do
  [ -x "$build/bin/$name" ] && programs+=("$name")
done
for path in "$build"/bin/bench_*; do
  name=$(basename "$path")
  [ -x "$path" ] || continue
  [[ " ${order[*]} " == *" $name "* ]] || programs+=("$name")
done
if [ ${#programs[@]} -eq 0 ]; then
  echo "bench.sh: no bench_* programs in $build/bin (build them first)" >&2
  exit 2
fi

started=$(date '+%Y-%m-%d %H:%M')
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
failed=()
figures="$logs/figures.tsv"
: > "$figures"
for name in "${programs[@]}"; do
  echo "running $name ..." >&2
  if ! "$build/bin/$name" > "$logs/$name.log" 2>&1; then
    failed+=("$name")
  fi
  grep '^FIGURE' "$logs/$name.log" >> "$figures" || true
done
# The front of docs/deploy.md, measured the same way, where nginx is installed (77: it is not).
echo "running check-deployment.sh ..." >&2
deployment=0
"$(dirname "$0")/check-deployment.sh" --figures "$build" > "$logs/check-deployment.log" 2>&1 \
  || deployment=$?
case "$deployment" in
  0) ;;
  77) echo "check-deployment.sh: skipped, nginx or ab is not installed" >&2 ;;
  *) failed+=("check-deployment.sh") ;;
esac
grep '^FIGURE' "$logs/check-deployment.log" >> "$figures" || true
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')

note="$started, $(nproc) cores ($cpu), load average $load_before before and $load_after after"
awk -F'\t' -v markdown="$markdown" -v note="$note" '
  function num(x) { return x + 0 }
  function show(v) {
    if (v >= 100) return sprintf("%.0f", v)
    if (v >= 10) return sprintf("%.1f", v)
    if (v >= 1) return sprintf("%.2f", v)
    return sprintf("%.3f", v)
  }
  {
    n++; key[n] = $2; label[n] = $3; med[n] = num($4); lo[n] = num($5); hi[n] = num($6)
    unit[n] = $7; budget[n] = $8; anchor[n] = $9; at[$2] = n
  }
  END {
    over = 0
    for (i = 1; i <= n; i++) {
      ratio[i] = ""; limits = ""; flag[i] = ""
      a = (anchor[i] != "" && (anchor[i] in at)) ? at[anchor[i]] : 0
      if (a && med[a] > 0) ratio[i] = sprintf("%.2fx of #%d", med[i] / med[a], a)
      if (a && index(budget[i], "+")) ratio[i] = ratio[i] sprintf(" (%+.1f %s)", med[i] - med[a], unit[i])
      count = split(budget[i], parts, ",")
      for (p = 1; p <= count; p++) {
        b = parts[p]; kind = substr(b, 1, 1); v = num(substr(b, 2))
        if (kind == "<") { text = "< " v " " unit[i]; bad = med[i] >= v }
        else if (kind == ">") { text = "> " v " " unit[i]; bad = med[i] <= v }
        else if (kind == "x") { text = "<= " v "x its anchor"; bad = a && med[a] > 0 && med[i] > v * med[a] }
        else if (kind == "r") { text = ">= " v "x its anchor"; bad = a && med[i] < v * med[a] }
        else if (kind == "+") { text = "<= its anchor + " v " " unit[i]; bad = a && med[i] > med[a] + v }
        else { text = b; bad = 0 }
        limits = limits (limits == "" ? "" : ", ") text
        if (bad) flag[i] = "OVER"
      }
      lim[i] = limits == "" ? "-" : limits
      if (flag[i] != "") over++
      if (ratio[i] == "") ratio[i] = "-"
    }
    if (markdown) {
      print "| # | Figure | Median | Min | Max | Unit | Budget | Ratio to anchor | |"
      print "|---:|---|---:|---:|---:|---|---|---|---|"
      for (i = 1; i <= n; i++)
        printf "| %d | %s | %s | %s | %s | %s | %s | %s | %s |\n", i, label[i], show(med[i]), show(lo[i]), \
          show(hi[i]), unit[i], lim[i], ratio[i], flag[i]
      print ""
      print "Measured " note "."
    } else {
      printf "%3s %-66s %8s %8s %8s %-5s %-30s %-24s\n", "#", "Figure", "median", "min", "max", "unit", "budget", "ratio to anchor"
      for (i = 1; i <= n; i++)
        printf "%3d %-66s %8s %8s %8s %-5s %-30s %-24s %s\n", i, label[i], show(med[i]), show(lo[i]), \
          show(hi[i]), unit[i], lim[i], ratio[i], flag[i]
      print ""
      print "Measured " note "."
    }
    if (over) printf "%d figure(s) over budget.\n", over
    exit over ? 3 : 0
  }' "$figures" && over=0 || over=$?

status=0
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed: ${failed[*]} (see $logs/)."
  [ "$strict" = 1 ] && status=1
fi
if [ "$over" -ne 0 ] && [ "$strict" = 1 ]; then
  status=1
fi
exit $status
