#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the Debian packages built by `make package`: lintian finds no error and no warning in
# either, and they install and run on a clean Debian 12: a minimal Debian 12 root made by
# debootstrap, `dpkg -i` of both packages and `apt-get -f
# install` for their dependencies inside a chroot, then `pellomar --version`, a start-up of the
# window on Qt's offscreen platform (reference files found in the share folder without any
# option) and the demo directory answering a request.
#
#   scripts/check-package.sh [BUILD]
#
# Needs root (debootstrap, chroot) and Debian's mirror. The root is thrown away afterwards.
# CHECK_BASE=DIR keeps a pristine debootstrap tree in DIR and copies it for later runs, so
# only the first run downloads the base system (about 200 MB, a few minutes).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
suite=bookworm
mirror=${CHECK_MIRROR:-http://deb.debian.org/debian}

[ "$(id -u)" -eq 0 ] || { echo "check-package: run as root (debootstrap and chroot need it)" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "check-package: debootstrap is missing; run make setup" >&2; exit 1; }

shopt -s nullglob
debs=("$build"/pellomar_*.deb "$build"/pellomar-directory_*.deb)
[ ${#debs[@]} -eq 2 ] || { echo "check-package: no packages in $build; run make package" >&2; exit 1; }

command -v lintian >/dev/null || { echo "check-package: lintian is missing; run make setup" >&2; exit 1; }
# Errors and warnings fail; informational tags are printed but pass.
report=$(lintian --tag-display-limit 0 "${debs[@]}" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$report" ] || echo "$report"
if grep -q '^[EW]: ' <<<"$report"; then
  echo "check-package: FAILED: lintian reports errors or warnings" >&2
  exit 1
fi
echo "check-package: lintian finds no error and no warning"

root=$(mktemp -d "${TMPDIR:-/var/tmp}/pellomar-check.XXXXXX")
mounted=()
cleanup() {
  local m
  for m in "${mounted[@]}"; do umount -l "$m" 2>/dev/null || true; done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT

if [ -n "${CHECK_BASE:-}" ] && [ -x "$CHECK_BASE/bin/sh" ]; then
  echo "check-package: copying the Debian 12 base from $CHECK_BASE"
  cp -a "$CHECK_BASE/." "$root/"
else
  echo "check-package: debootstrap $suite into $root"
  debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$root.debootstrap.log" 2>&1 \
    || { cat "$root.debootstrap.log" >&2; exit 1; }
  rm -f "$root.debootstrap.log"
  if [ -n "${CHECK_BASE:-}" ]; then
    mkdir -p "$CHECK_BASE" && cp -a "$root/." "$CHECK_BASE/"
  fi
fi

mount -t proc proc "$root/proc" && mounted+=("$root/proc")
cp /etc/resolv.conf "$root/etc/resolv.conf"
mkdir -p "$root/tmp/debs"
cp "${debs[@]}" "$root/tmp/debs/"

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
  DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 "$@"; }

echo "check-package: installing ${debs[*]##*/}"
in_root apt-get update -qq
# dpkg leaves the packages unconfigured while their dependencies are missing; apt-get -f
# install then brings those from the mirror, as a user installing a downloaded .deb would.
in_root sh -c 'dpkg -i /tmp/debs/*.deb >/tmp/dpkg.log 2>&1 || true'
in_root apt-get -f install -y -qq --no-install-recommends >/dev/null
for p in pellomar pellomar-directory; do
  status=$(in_root dpkg-query -W -f='${Status}' "$p")
  [ "$status" = "install ok installed" ] || { echo "check-package: $p is '$status'" >&2; cat "$root/tmp/dpkg.log" >&2; exit 1; }
done

fail() { echo "check-package: FAILED: $*" >&2; exit 1; }

missing=$(in_root sh -c 'ldd /usr/bin/pellomar /usr/bin/pellomar-directory /usr/lib/*/qt6/plugins/platforms/libqoffscreen.so' | grep 'not found' || true)
[ -z "$missing" ] || fail "libraries not found: $missing"

version=$(in_root pellomar --version)
[ "$version" = "pellomar $(sed -n 's/^Version: //p' <(dpkg-deb -f "${debs[0]}"))" ] \
  || fail "pellomar --version says '$version'"
echo "check-package: $version"

# The window opens and stays up: the reference files come from /usr/share/pellomar.
set +e
in_root sh -c 'mkdir -p /tmp/home && HOME=/tmp/home QT_QPA_PLATFORM=offscreen timeout 5 pellomar --no-dialogs --server 127.0.0.1:9 >/tmp/start.log 2>&1'
started=$?
set -e
[ "$started" -eq 124 ] || { cat "$root/tmp/start.log" >&2; fail "the program ended with status $started instead of running"; }
! grep -q '^pellomar: ' "$root/tmp/start.log" || { cat "$root/tmp/start.log" >&2; fail "the program reported an error"; }
[ -d "$root/tmp/home/.local/share/pellomar" ] || fail "no per-user data folder was made"
echo "check-package: the window started with the installed reference files"
in_root sh -c 'test -s /usr/share/man/man1/pellomar.1.gz && test -s /usr/share/man/man1/pellomar-directory.1.gz' \
  || fail "the manual pages are not installed"

# The demo directory starts from its share folder and answers its home page.
in_root bash -c '
  pellomar-directory --listen 127.0.0.1:0 >/tmp/directory.out 2>/tmp/directory.err &
  pid=$!
  for i in $(seq 100); do port=$(sed -n "1s/.*127\.0\.0\.1:\([0-9]*\).*/\1/p" /tmp/directory.out); [ -n "$port" ] && break; sleep 0.1; done
  [ -n "$port" ] || { kill $pid; cat /tmp/directory.err; exit 1; }
  exec 3<>/dev/tcp/127.0.0.1/$port
  printf "GET /browse-app.php?country=DE HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n" >&3
  head -c 200 <&3 >/tmp/reply.txt
  kill $pid
  grep -q "^HTTP/1\.[01] 200" /tmp/reply.txt
' || fail "the demo directory did not answer: $(cat "$root/tmp/reply.txt" "$root/tmp/directory.err" 2>/dev/null)"
echo "check-package: the demo directory answered a search"
echo "check-package: both packages install and run on a clean Debian 12"
