#!/usr/bin/env bash
# Regenerates the encoding tables from ICU into a temporary folder and compares them with
# the committed ones in encoding/tables/; with --write, replaces the committed ones instead.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"${CXX:-g++}" -std=c++20 -O1 -I. encoding/tables/generate_tables.cpp -o "$work/generate_tables" \
  -licui18n -licuuc -licudata
mkdir "$work/tables"
"$work/generate_tables" "$work/tables"

status=0
for generated in "$work"/tables/*.cpp; do
  name=$(basename "$generated")
  size=$(stat -c %s "$generated")
  if [ "$size" -gt 300000 ]; then
    echo "check-tables: $name is $size bytes, more than the 300000 a table source may take"
    status=1
  fi
  if [ "${1:-}" = "--write" ]; then
    cp "$generated" "encoding/tables/$name"
  elif ! diff -u "encoding/tables/$name" "$generated" >"$work/$name.diff"; then
    echo "check-tables: encoding/tables/$name differs from what ICU gives:"
    head -40 "$work/$name.diff"
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "check-tables: encoding tables match ICU $(uconv --version | sed 's/.*ICU //')"
exit "$status"
