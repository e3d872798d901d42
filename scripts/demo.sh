#!/usr/bin/env bash
# The main job under 64-bit Wine: a simulated PowerDVD.exe plays a film full screen from
# 0:00:00, Quorvane.exe starts, "Select and Start" is pressed and the subtitle file is chosen
# in the dialog, and the subtitles follow the film. Runs on the X display when there is one,
# otherwise on a virtual display; screenshots of the subtitles over the film go to the folder
# it names. demo.sh [SUBTITLE_FILE [SECONDS]]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
subtitle=$(realpath "${1:-samples/sample.srt}")
seconds="${2:-20}"

bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Quorvane simulated_player panel_probe quorvane-follow >/dev/null

source tests/support/wine_desktop.sh
trap wine_desktop_stop_all EXIT
work=$root/build/win64/demo
shots=$work/screenshots
rm -rf "$shots" && mkdir -p "$shots"

make_template "$root/build/win64/wine/template"
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  echo "demo: on display $DISPLAY"
else
  xvfb_start "$work" 1920x1080
  echo "demo: on a virtual display ($DISPLAY)"
fi
prefix_make "$work/prefix" "$root/build/win64/wine/template"
cp build/win64/tests/simulated_player/PowerDVD.exe "$work/PowerDVD.exe"

probe_exe=build/win64/tests/app/panel_probe.exe
# The player waits, paused, on a pipe it is told to play through once the file is chosen.
rm -f "$work/player.in" && mkfifo "$work/player.in"
exec 7<>"$work/player.in"
"$WINE" "$work/PowerDVD.exe" --fullscreen --paused --start 0:00:00 --limit $((seconds + 120)) \
  <"$work/player.in" >"$work/player.out" 2>&1 &
pids[player]=$!
wine_start quorvane "$WINE" build/win64/app/Quorvane.exe
probe wait-panel 60 >/dev/null
echo "demo: Quorvane.exe is up; pressing Select and Start and choosing $(basename "$subtitle")"
probe press 按钮3 choose "$(winepath_of "$subtitle")" 60 >/dev/null
echo play >&7

for shot in $(seq 1 "$seconds"); do
  sleep 1
  text=$(probe overlay | field label.text || true)
  echo "demo: shot $shot  ${text:-(no subtitle)}"
  screenshot "$shots/$(printf '%03d' "$shot").png" 2>/dev/null || true
done
probe close >/dev/null || true
echo "demo: screenshots of the subtitles over the film are in $shots"
