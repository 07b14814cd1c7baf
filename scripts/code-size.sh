#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Non-blank, non-comment lines of the project's code, per folder and language, and the size of
# the tests against the product code (src/ and server/).
#
#   scripts/code-size.sh [--markdown]
#
# Counts the files git knows. C++ comment lines start with //, Python, shell and CMake comment
# lines with #. The ratio sets every language of tests/ against the C++ of src/ and server/.
set -euo pipefail
cd "$(dirname "$0")/.."

markdown=0
[ "${1:-}" = "--markdown" ] && markdown=1

# count FOLDER LANGUAGE: lines of the files of that language under the folder.
count() {
  local pattern comment
  case "$2" in
    C++) pattern='\.(cpp|h)$'; comment='//' ;;
    Python) pattern='\.py$'; comment='#' ;;
    shell) pattern='\.sh$'; comment='#' ;;
    CMake) pattern='(CMakeLists\.txt|\.cmake)$'; comment='#' ;;
  esac
  git ls-files -- "$1" | grep -E "$pattern" | { grep -v -E '/corpus/' || true; } \
    | xargs -r cat | grep -c -v -E "^\s*(${comment}.*)?$" || true
}

folders=(src server tests bench fuzz scripts)
languages=(C++ Python shell CMake)
declare -A lines
if [ $markdown -eq 1 ]; then
  echo "| Folder | C++ | Python | shell | CMake |"
  echo "|---|---:|---:|---:|---:|"
else
  printf '%-8s %7s %7s %7s %7s\n' folder C++ Python shell CMake
fi
for folder in "${folders[@]}"; do
  row=()
  for language in "${languages[@]}"; do
    lines[$folder,$language]=$(count "$folder" "$language")
    row+=("${lines[$folder,$language]}")
  done
  if [ $markdown -eq 1 ]; then
    echo "| \`$folder/\` | ${row[0]} | ${row[1]} | ${row[2]} | ${row[3]} |"
  else
    printf '%-8s %7s %7s %7s %7s\n' "$folder/" "${row[@]}"
  fi
done

product=$(( ${lines[src,C++]} + ${lines[server,C++]} ))
tests=$(( ${lines[tests,C++]} + ${lines[tests,Python]} + ${lines[tests,shell]} ))
percent=$(( 100 * tests / product ))
summary="tests/ $tests lines (C++, Python, shell) against $product lines of C++ in src/ and server/: ${percent}%"
if [ $markdown -eq 1 ]; then
  echo
  echo "$summary"
else
  echo "$summary"
fi
