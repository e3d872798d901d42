#!/usr/bin/env bash
# Figures of Quorvane.exe at work under 64-bit Wine on a virtual display: the time from
# pressing "Select and Start" to the open-file dialog with the ordinary simulated player and
# with its 4 MiB-image build (median of RUNS presses each), and the CPU time Quorvane.exe and
# the Wine server use while a film plays with subtitles for SECONDS.
# play_figures.sh [RUNS [SECONDS]]   (after a win64 build)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${1:-7}
seconds=${2:-60}
source tests/support/wine_desktop.sh
trap wine_desktop_stop_all EXIT
work=$root/build/win64/play-figures
mkdir -p "$work"
make_template "$root/build/win64/wine/template"
xvfb_start "$work" 1920x1080
prefix_make "$work/prefix" "$root/build/win64/wine/template"
probe_exe=build/win64/tests/app/panel_probe.exe
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

wine_start quorvane "$WINE" build/win64/app/Quorvane.exe
probe wait-panel 60 >/dev/null
for image in ordinary 4mb; do
  player=build/win64/tests/simulated_player/PowerDVD.exe
  [ "$image" = 4mb ] && player=build/win64/tests/simulated_player/4mb/PowerDVD.exe
  mkdir -p "$work/$image" && cp "$player" "$work/$image/PowerDVD.exe"
  "$WINE" "$work/$image/PowerDVD.exe" --hidden --limit 600 </dev/null >/dev/null 2>&1 &
  pids[player]=$!
  sleep 3
  for _ in $(seq 1 "$runs"); do probe dialog-time | grep -o '[0-9]*$'; done >"$work/$image.ms"
  echo "press to dialog, $image player ($(stat -c %s "$player") bytes): median $(median <"$work/$image.ms") ms of $(xargs <"$work/$image.ms")"
  wine_stop player
done

"$WINE" "$work/ordinary/PowerDVD.exe" --fullscreen --limit $((seconds + 120)) </dev/null >/dev/null 2>&1 &
pids[player]=$!
sleep 3
probe press 按钮3 choose "$(winepath_of tests/end_to_end/fixtures/twenty_cues.srt)" 60 >/dev/null
sleep 2
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# This prefix's own Wine server: the one started with its WINEPREFIX.
server=""
for pid in $(pgrep -f wineserver || true); do
  tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && server=$pid
done
quorvane_before=$(cpu "${pids[quorvane]}")
server_before=$([ -n "$server" ] && cpu "$server" || echo 0)
sleep "$seconds"
quorvane_used=$(( $(cpu "${pids[quorvane]}") - quorvane_before ))
server_used=$(( $([ -n "$server" ] && cpu "$server" || echo 0) - server_before ))
awk -v q="$quorvane_used" -v s="$server_used" -v t="$ticks" -v n="$seconds" 'BEGIN {
  printf "CPU while a film plays with subtitles, over %d s: Quorvane.exe %.2f %% of one core, the Wine server %.2f %%\n", n, 100 * q / t / n, 100 * s / t / n }'
probe close >/dev/null || true
