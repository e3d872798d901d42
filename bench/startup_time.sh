#!/usr/bin/env bash
# Start-up time of Quorvane.exe to a shown control panel under 64-bit Wine, beside a program
# that only shows an empty window, in the same run and the same prefix (its server kept
# running, so neither pays for Wine's own start), alternating the two; prints the median and
# the range of each, and the size of the i686 release Quorvane.exe when it has been built.
# bash bench/startup_time.sh [RUNS]   (after: cmake --build --preset win64 --target Quorvane
# empty_window; for the size also cmake --build --preset win32 --target Quorvane)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
build=$PWD/build/win64
work=$build/wine/startup_time
source tests/support/wine_desktop.sh
trap wine_desktop_stop_all EXIT
export LC_ALL=en_US.UTF-8

quorvane=$build/app/Quorvane.exe
empty=$build/bench/empty_window.exe
for exe in "$quorvane" "$empty"; do
  [ -f "$exe" ] || { echo "missing $exe: build the win64 targets Quorvane and empty_window" >&2; exit 1; }
done

make_template "$build/wine/template"
xvfb_start "$work"
prefix_make "$work/prefix" "$build/wine/template"
"$WINESERVER" -p  # persistent: every run finds the server up

# Milliseconds from launch until a visible window titled TITLE exists, polled every 10 ms
# (xdotool's own --sync waits half a second between looks).
time_to_window() {
  local exe=$1 title=$2 started ended
  started=$(date +%s%N)
  wine_start program "$WINE" "$exe"
  until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do sleep 0.01; done
  ended=$(date +%s%N)
  wine_stop program
  echo $(((ended - started) / 1000000))
}

# Median, minimum and maximum of numbers, one a line.
summary() {
  sort -n | awk '{v[NR] = $1} END {
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "median %d ms (min %d, max %d, %d runs)\n", m, v[1], v[NR], NR }'
}

# One run of each first, unmeasured: the first start of a program loads its DLLs from disk.
time_to_window "$quorvane" Quorvane >/dev/null
time_to_window "$empty" "Empty window" >/dev/null
: >"$work/quorvane.ms"
: >"$work/empty.ms"
for run in $(seq 1 "$runs"); do
  time_to_window "$quorvane" Quorvane >>"$work/quorvane.ms"
  time_to_window "$empty" "Empty window" >>"$work/empty.ms"
done

echo "start-up to a shown window under Wine ($(/usr/lib/wine/wine64 --version)):"
echo "  Quorvane.exe (win64):     $(summary <"$work/quorvane.ms")"
echo "  empty window (win64):     $(summary <"$work/empty.ms")"
release=$PWD/build/win32/app/Quorvane.exe
if [ -f "$release" ]; then
  echo "size of the i686 release Quorvane.exe: $(stat -c %s "$release") bytes"
else
  echo "size of the i686 release Quorvane.exe: not built (cmake --build --preset win32 --target Quorvane)"
fi
