#!/usr/bin/env bash
# Runs COMMAND while the simulated player (PowerDVD.exe) plays from 0:00:00 under Wine, then
# ends the player by its process id. The player shows its window when there is an X display.
# with_simulated_player.sh WINE PLAYER_EXE COMMAND...
set -euo pipefail
wine="$1" player="$2"
shift 2

work=$(mktemp -d)
player_pid=""
cleanup() {
  [ -n "$player_pid" ] && kill "$player_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

options=(--limit 600)
[ -n "${DISPLAY:-}" ] || options+=(--hidden)
"$wine" "$player" "${options[@]}" >"$work/player.out" </dev/null &
player_pid=$!
for _ in $(seq 1 300); do
  grep -q ready "$work/player.out" 2>/dev/null && break
  sleep 0.1
done
grep -q ready "$work/player.out" || { echo "the simulated player did not start" >&2; exit 1; }

"$@"
