#!/usr/bin/env bash
# quorvane-follow under Wine finds a simulated PowerDVD.exe playing from 0:00:00, locates
# its time block and shows the sample's first cue once the film reaches it.
# follows_simulated_player.sh WINE PLAYER_EXE FOLLOW_EXE SUBTITLE
set -euo pipefail
wine="$1" player="$2" follow="$3" subtitle="$4"
here="$(dirname "$0")"

output=$(bash "$here/../simulated_player/with_simulated_player.sh" "$wine" "$player" \
  "$wine" "$follow" "$subtitle" 6 | tr -d '\r')
echo "$output"
grep -q '^player [0-9]*, time block at 0x4[0-9A-F]\{5\}$' <<<"$output"
grep -q '^5 cues$' <<<"$output"
grep -q 'show 1: Quorvane sample subtitle / 字幕示例$' <<<"$output"
