#!/usr/bin/env bash
# The main job under 64-bit Wine: a simulated PowerDVD.exe plays from 0:00:00 while
# quorvane-follow finds it, locates its time block and follows it with the bundled sample
# subtitle, printing what the overlay shows. demo.sh [SUBTITLE_FILE [SECONDS]]
set -euo pipefail
cd "$(dirname "$0")/.."
subtitle="${1:-samples/sample.srt}"
seconds="${2:-20}"

bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target quorvane-follow simulated_player >/dev/null

export WINEDEBUG=-all
wine=/usr/lib/wine/wine64
work=$(mktemp -d)
player_pid=""
cleanup() {
  [ -n "$player_pid" ] && kill "$player_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp build/win64/tests/memory/simulated_player.exe "$work/PowerDVD.exe"
"$wine" "$work/PowerDVD.exe" $((seconds + 30)) play >"$work/player.out" </dev/null &
player_pid=$!
for _ in $(seq 1 300); do
  grep -q ready "$work/player.out" 2>/dev/null && break
  sleep 0.1
done
grep -q ready "$work/player.out" || { echo "demo: the simulated player did not start"; exit 1; }

"$wine" build/win64/tools/quorvane-follow.exe "$subtitle" "$seconds"
