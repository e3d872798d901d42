#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a bounded time: fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

shopt -s nullglob
for fuzzer in build/fuzz/fuzz/*_fuzz; do
  name=$(basename "$fuzzer")
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
  echo "fuzz: $name for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    "$corpus" "${seeds[@]}" 2>"build/fuzz/$name.log" || { tail -50 "build/fuzz/$name.log"; exit 1; }
  grep -E '^stat::(number_of_executed_units|new_units_added)' "build/fuzz/$name.log" | sed "s/^/fuzz: $name /"
done
