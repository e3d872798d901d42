#!/usr/bin/env bash
# quorvane-follow under Wine finds a simulated PowerDVD.exe playing from 0:00:00, locates
# its time block and shows the sample's first cue once the film reaches it.
# follows_simulated_player.sh WINE PLAYER_EXE FOLLOW_EXE SUBTITLE
set -euo pipefail
wine="$1" player="$2" follow="$3" subtitle="$4"

work=$(mktemp -d)
player_pid=""
cleanup() {
  [ -n "$player_pid" ] && kill "$player_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp "$player" "$work/PowerDVD.exe"
"$wine" "$work/PowerDVD.exe" 60 play >"$work/player.out" </dev/null &
player_pid=$!
for _ in $(seq 1 300); do
  grep -q ready "$work/player.out" 2>/dev/null && break
  sleep 0.1
done

"$wine" "$follow" "$subtitle" 3 | tr -d "\r" | tee "$work/follow.out"
grep -q '^player [0-9]*, time block at 0x40' "$work/follow.out"
grep -q '^5 cues$' "$work/follow.out"
grep -q 'show 1: Quorvane sample subtitle / 字幕示例$' "$work/follow.out"
