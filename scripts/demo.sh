#!/usr/bin/env bash
# The main job under 64-bit Wine: a simulated PowerDVD.exe plays from 0:00:00 (in a window,
# when there is an X display) while quorvane-follow finds it, locates its time block and
# follows it with the bundled sample subtitle, printing what the overlay shows.
# demo.sh [SUBTITLE_FILE [SECONDS]]
set -euo pipefail
cd "$(dirname "$0")/.."
subtitle="${1:-samples/sample.srt}"
seconds="${2:-20}"

bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target quorvane-follow simulated_player >/dev/null

export WINEDEBUG=-all
wine=/usr/lib/wine/wine64
bash tests/simulated_player/with_simulated_player.sh "$wine" \
  build/win64/tests/simulated_player/PowerDVD.exe \
  "$wine" build/win64/tools/quorvane-follow.exe "$subtitle" "$seconds"
