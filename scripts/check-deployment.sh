#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the front of docs/deploy.md: nginx with the configuration block given there, in front of
# two directories serving one database, on free loopback ports, and checks and measures it with
# ab (bounded in count and time, 127.0.0.1 only).
#
#   scripts/check-deployment.sh [--figures] [BUILD]
#
# --figures  also print the figures as FIGURE lines for scripts/bench.sh
# Exit status 0 when every check passed, 1 when one failed, 77 when nginx or ab is missing.
set -euo pipefail

figures=0
build=build
for arg in "$@"; do
  case "$arg" in
    --figures) figures=1 ;;
    -h|--help) sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "check-deployment: unknown option $arg" >&2; exit 2 ;;
    *) build=$arg ;;
  esac
done

root=$(cd "$(dirname "$0")/.." && pwd)
nginx=$(command -v nginx || echo /usr/sbin/nginx)
if [ ! -x "$nginx" ] || ! command -v ab > /dev/null; then
  echo "check-deployment: nginx (nginx-light) or ab (apache2-utils) is not installed: skipped"
  exit 77
fi
build=$(cd "$build" && pwd)
program=$build/bin/pellomar-directory
[ -x "$program" ] || { echo "check-deployment: no $program (build it first)" >&2; exit 2; }

tmp=$(mktemp -d)
declare -A pid port
nginx_pid=
cleanup() {
  for p in "${pid[@]}" $nginx_pid; do kill "$p" 2> /dev/null || true; done
  wait 2> /dev/null || true
  # The logs of a failed run stay for a look.
  if [ "${failures:-0}" -ne 0 ]; then
    mkdir -p "$build/deployment-logs" && cp "$tmp"/*.log "$tmp"/*.conf "$build/deployment-logs/" || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT
# 500 clients through nginx need two descriptors each, and more.
ulimit -n "$(ulimit -Hn)" 2> /dev/null || ulimit -n 8192 2> /dev/null || true

failures=0
check() { # CONDITION-STATUS MESSAGE
  if [ "$1" -eq 0 ]; then echo "ok   $2"; else echo "FAIL $2"; failures=$((failures + 1)); fi
}

free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# start_directory NAME [PORT]: on the shared database; PORT 0 (default) picks one.
start_directory() {
  : > "$tmp/$1.out"
  "$program" --listen "127.0.0.1:${2:-0}" --database "$tmp/directory.db" \
    > "$tmp/$1.out" 2> "$tmp/$1.log" &
  pid[$1]=$!
}
wait_directory() {
  for _ in $(seq 150); do
    if grep -q '^listening on' "$tmp/$1.out"; then
      port[$1]=$(sed -n 's/^listening on 127\.0\.0\.1://p' "$tmp/$1.out")
      return 0
    fi
    sleep 0.1
  done
  echo "check-deployment: directory $1 did not start:" >&2
  cat "$tmp/$1.out" "$tmp/$1.log" >&2
  exit 1
}

# Both at once on a new file: one fills it from the dataset, the other finds it filled.
start_directory a
start_directory b
wait_directory a
wait_directory b
front=$(free_port)
static=$(free_port)

# The configuration as docs/deploy.md gives it, with this run's ports and folders.
mkdir -p "$tmp/cache" "$tmp/static"
awk '/^```nginx$/ { inside = 1; next } /^```$/ { inside = 0 } inside' "$root/docs/deploy.md" \
  | sed -e "s|listen 80 |listen 127.0.0.1:$front |" \
        -e "s|127\.0\.0\.1:8081|127.0.0.1:${port[a]}|" -e "s|127\.0\.0\.1:8082|127.0.0.1:${port[b]}|" \
        -e "s|/var/cache/nginx/pellomar|$tmp/cache|" -e "s|/var/log/nginx/|$tmp/|" \
  > "$tmp/pellomar-directory.conf"
grep -q "listen 127.0.0.1:$front" "$tmp/pellomar-directory.conf" \
  || { echo "check-deployment: no nginx block in docs/deploy.md" >&2; exit 1; }
london=/browse-app.php?country=GB\&city=London
curl -sS --http1.0 -o "$tmp/static/london.txt" "http://127.0.0.1:${port[a]}$london"
{
  # Started by root, the workers would otherwise take the user nobody, who cannot read here.
  [ "$(id -u)" -eq 0 ] && echo "user root;"
  cat << EOF
worker_processes auto;
daemon off;
pid $tmp/nginx.pid;
error_log $tmp/error.log warn;
events { worker_connections 4096; }
http {
    # As Debian's own nginx.conf has them, around the included block.
    sendfile on;
    tcp_nopush on;
    client_body_temp_path $tmp/body;
    proxy_temp_path $tmp/proxy;
    fastcgi_temp_path $tmp/fastcgi;
    uwsgi_temp_path $tmp/uwsgi;
    scgi_temp_path $tmp/scgi;
    include $tmp/pellomar-directory.conf;
    # The anchor: the same reply bytes as a file.
    server {
        listen 127.0.0.1:$static backlog=4096;
        access_log off;
        location / { root $tmp/static; default_type "text/plain; charset=utf-8"; }
    }
}
EOF
} > "$tmp/nginx.conf"
"$nginx" -p "$tmp" -c "$tmp/nginx.conf" -e "$tmp/error.log" 2>> "$tmp/error.log" &
nginx_pid=$!
for _ in $(seq 100); do
  curl -sf -o /dev/null "http://127.0.0.1:$front/health" && break
  sleep 0.1
done

# ab URL CONCURRENCY COUNT LOG: "rate p99 failed" (failed: failed or non-2xx; a run that ends
# early on errors or without figures counts as one more). At most 10 s, on a loaded machine.
run_ab() {
  local status=0
  ab -r -s 10 -t 10 -n "$3" -c "$2" "$1" > "$4" 2>&1 || status=$?
  awk -v status="$status" '/^Requests per second/ { rate = $4 } $1 == "99%" { p99 = $2 }
    /^Failed requests/ { failed += $3 } /^Non-2xx responses/ { failed += $3 }
    END { printf "%s %s %d\n", rate + 0, p99 + 0, failed + (status != 0 || rate == "") }' "$4"
}

# The directory with every query different, so its reply cache never helps: ab repeats one URL,
# so curl asks each of a list of city and location type pairs once, 50 at a time.
tail -n +2 "$build/bin/directory/hotspots.txt" \
  | awk -F'\t' '{ print "url = \"/browse-app.php?country=" $12 "&city=" $11 "&loctype=" $8 "\"" }' \
  | sed 's/ /%20/g; s/^url%20=%20/url = /' | sort -u > "$tmp/queries"
cold_run() { # PORT ROUND → "rate p99 failed", 1,000 queries a round
  sed -n "$(($2 * 1000 - 999)),$(($2 * 1000))p" "$tmp/queries" \
    | sed "s|\"/|\"http://127.0.0.1:$1/|; s|\$|\\noutput = /dev/null|" > "$tmp/round.curl"
  local began ended
  began=$(date +%s.%N)
  curl -s --http1.0 --parallel --parallel-max 50 -K "$tmp/round.curl" \
    -w '%{http_code} %{time_total}\n' > "$tmp/cold.times" 2> /dev/null || true
  ended=$(date +%s.%N)
  sort -k2 -g "$tmp/cold.times" | awk -v took="$(awk -v a="$ended" -v b="$began" 'BEGIN { print a - b }')" \
    '{ t[NR] = $2; failed += $1 != 200 } END { printf "%.0f %.0f %d\n", NR / took, t[int(NR * 0.99)] * 1000, failed + (1000 - NR) }'
}

declare -A samples
add() { samples[$1]="${samples[$1]:-} $2"; }
for round in 1 2 3; do
  read -r rate p99 failed < <(run_ab "http://127.0.0.1:$static/london.txt" 50 5000 "$tmp/ab-static.log")
  add static "$rate"
  check "$failed" "nginx static, round $round: $rate req/s, p99 $p99 ms, $failed failed"
  for clients in 50 500; do
    read -r rate p99 failed < <(run_ab "http://127.0.0.1:$front$london" $clients 5000 "$tmp/ab-$clients.log")
    add "cached$clients" "$rate"; add "p99_$clients" "$p99"
    check "$failed" "cached search through nginx, $clients clients, round $round: $rate req/s, p99 $p99 ms, $failed failed"
  done
  read -r rate p99 failed < <(cold_run "${port[a]}" "$round")
  add cold "$rate"
  check "$failed" "directory alone, cache cold, round $round: $rate req/s, p99 $p99 ms, $failed failed"
done

# A directory killed in the middle of a run: the other takes its requests.
run_ab "http://127.0.0.1:$front/health" 50 20000 "$tmp/ab-kill.log" > "$tmp/kill.result" &
ab_pid=$!
sleep 0.4
kill -KILL "${pid[b]}"
wait "${pid[b]}" 2> /dev/null || true
wait $ab_pid
read -r rate p99 killed < "$tmp/kill.result"
check "$killed" "directory b killed with SIGKILL mid-run: $rate req/s, $killed failed"
add killed "$killed"
start_directory b "${port[b]}"
wait_directory b

# An import of new places in the middle of a run: no failed request, the places out through
# nginx within the max-age and a second.
run_ab "http://127.0.0.1:$front$london" 50 20000 "$tmp/ab-change.log" > "$tmp/change.result" &
ab_pid=$!
sleep 0.3
what="an import"
probe=/browse-app.php?country=LI\&city=Vaduz
# Every copy of the reply before it, the front's and both directories', must give way to it.
for p in "$front" "${port[a]}" "${port[b]}"; do curl -sS -o /dev/null "http://127.0.0.1:$p$probe"; done
changed=$(date +%s.%N)
imported=0
"$program" --database "$tmp/directory.db" --import-osm "$root/tests/data/osm/places.osm" \
  > "$tmp/import.log" 2>&1 || imported=$?
check $imported "the import of tests/data/osm/places.osm beside the running directories"
visible=-1
for _ in $(seq 610); do
  if curl -sS --http1.0 "http://127.0.0.1:$front$probe" | tr -d '\r\n' | grep -q "Row 0 AIR"; then
    visible=$(awk -v now="$(date +%s.%N)" -v then="$changed" 'BEGIN { printf "%.1f", now - then }')
    break
  fi
  sleep 0.1
done
wait $ab_pid
read -r rate p99 lost < "$tmp/change.result"
check "$lost" "$what mid-run: $rate req/s, $lost failed"
check "$(awk -v s="$visible" 'BEGIN { print (s < 0 || s > 61) }')" "$what out through nginx after ${visible}s"
add changed "$lost"
add visible "$visible"

# The program's own request, its reply read to the close: the same bytes through the front.
for query in "$london" "/browse-app.php?country=US" "/browse-app.php?country=ZZ" "$probe"; do
  curl -sS --http1.0 -H 'User-Agent:' -H 'Accept:' -o "$tmp/direct" "http://127.0.0.1:${port[a]}$query"
  curl -sS --http1.0 -H 'User-Agent:' -H 'Accept:' -o "$tmp/front" "http://127.0.0.1:$front$query"
  cmp -s "$tmp/direct" "$tmp/front"
  check $? "the program's request $query: the same $(stat -c %s "$tmp/front") bytes through nginx"
done

if [ "$figures" = 1 ]; then
  kb=$(($(stat -c %s "$tmp/static/london.txt") / 1000))
  # figure KEY LABEL UNIT BUDGET ANCHOR: median, min and max of its samples.
  figure() {
    read -r med lo hi < <(tr ' ' '\n' <<< "${samples[$1]}" | grep . | sort -g \
      | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)], v[1], v[NR] }')
    printf 'FIGURE\tdeploy_%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$1" "$2" "$med" "$lo" "$hi" "$3" "$4" "${5:+deploy_$5}"
  }
  figure static "nginx serving the London reply ($kb kB) from a file, ab -c 50: requests per second" req/s "" ""
  figure cached50 "London search cached by nginx before two directories, ab -c 50: requests per second" req/s r0.8 static
  figure p99_50 "London search cached by nginx, ab -c 50: 99th percentile" ms "<21" ""
  figure cached500 "London search cached by nginx, ab -c 500: requests per second" req/s "" static
  figure p99_500 "London search cached by nginx, ab -c 500: 99th percentile" ms "" ""
  figure cold "directory alone, every query a different city and location type, 50 at once: requests per second" req/s r0.25 static
  figure killed "failed requests through nginx, a directory killed with SIGKILL mid-run" requests "<1" ""
  figure changed "failed requests through nginx, $what mid-run" requests "<1" ""
  figure visible "$what out through nginx after" s "<61" ""
fi
[ "$failures" -eq 0 ] || { echo "check-deployment: $failures check(s) failed (logs in $build/deployment-logs/)"; exit 1; }
echo "check-deployment: every check passed"
