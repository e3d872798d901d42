#!/usr/bin/env bash
# The simulated player's window on an X display (run under xvfb-run): it starts covering the
# screen, its keys pause, play, seek and leave full screen, and screenshots of it are kept
# in ARTEFACTS. window_test.sh WINE PLAYER_EXE ARTEFACTS WINEPREFIX
#
# WINEPREFIX is this test's own, made on first use: the desktop process of a prefix keeps
# the display of the program that started it, so in a prefix shared with headless Wine tests
# the player may find no display at all. A lock keeps two runs from sharing it.
set -euo pipefail
wine="$1" player="$2" artefacts="$3"
export WINEPREFIX="$4"
mkdir -p "$artefacts"
exec {lock}>"$WINEPREFIX.lock"
flock "$lock"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot --init >/dev/null 2>&1
  # Without a window manager, Wine would wait 2 s whenever it hides a titled window.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi
title="Quorvane simulated player"
background="srgb(12,12,20)"
digits="rgb(235,235,235)"

fail() { echo "FAIL: $*" >&2; exit 1; }

coproc PLAYER { exec "$wine" "$player" --fullscreen --start 1:23:45 --paused --limit 90; }
player_pid=$PLAYER_PID
exec {to_player}>&"${PLAYER[1]}" {from_player}<&"${PLAYER[0]}"
cleanup() {
  exec {to_player}>&- || true
  sleep 0.5
  kill "$player_pid" 2>/dev/null || true
  "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
}
trap cleanup EXIT

# Sends a control line and prints the reply.
ask() {
  local reply
  echo "$1" >&"$to_player"
  IFS= read -r -t 10 reply <&"$from_player" || fail "no reply to $1"
  echo "${reply%$'\r'}"
}

# Waits up to 5 s for the player to report the state given, e.g. "time 0 paused".
await_state() {
  local reply
  for _ in $(seq 1 50); do
    reply=$(ask time)
    [ "$reply" = "$1" ] && return 0
    sleep 0.1
  done
  fail "expected \"$1\", the player says \"$reply\""
}

await_playing() {
  for _ in $(seq 1 50); do
    [[ "$(ask time)" == *" playing" ]] && return 0
    sleep 0.1
  done
  fail "the player does not play"
}

# WIDTH HEIGHT X Y of the player's window.
geometry() {
  local WINDOW WIDTH HEIGHT X Y SCREEN
  eval "$(xdotool getwindowgeometry --shell "$window")"
  echo "$WIDTH $HEIGHT $X $Y"
}

# Fraction of the screenshot's pixels in the digits' colour.
digit_share() {
  convert "$1" -fill black +opaque "$digits" -fill white -opaque "$digits" \
    -format '%[fx:mean]' info:
}

IFS= read -r -t 60 line <&"$from_player" || fail "the player did not start"
[ "${line%$'\r'}" = ready ] || fail "the player said \"$line\" instead of ready"

window=$(timeout 30 xdotool search --sync --name "$title" | head -1) ||
  fail "no window named \"$title\""
read -r screen_width screen_height < <(xdotool getdisplaygeometry)
[ "$(geometry)" = "$screen_width $screen_height 0 0" ] ||
  fail "full screen is $(geometry), the screen ${screen_width}x${screen_height}"

xdotool windowfocus "$window"
await_state "time 5025000 paused"
xdotool key Right
await_state "time 5035000 paused"
xdotool key Left Left
await_state "time 5015000 paused"
xdotool key Home
await_state "time 0 paused"
xdotool key space
await_playing
xdotool key space
for _ in $(seq 1 50); do
  [[ "$(ask time)" == *" paused" ]] && break
  sleep 0.1
done
[ "$(ask "seek 1:23:45")" = "time 5025000 paused" ] || fail "seek refused"

# Let the window repaint, then keep what the screen shows.
sleep 0.5
shot="$artefacts/simulated_player_fullscreen.png"
import -window root "$shot"
[ "$(convert "$shot" -format '%[pixel:p{2,2}]' info:)" = "$background" ] ||
  fail "the corner of $shot is not the player's background"
awk -v share="$(digit_share "$shot")" 'BEGIN { exit !(share > 0.02) }' ||
  fail "$shot shows no big digits"

xdotool key F11
sleep 0.5
read -r width height _ _ < <(geometry)
((width < screen_width && height < screen_height)) || fail "F11 left the window at ${width}x$height"
import -window root "$artefacts/simulated_player_windowed.png"
xdotool key F11
sleep 0.5
[ "$(geometry)" = "$screen_width $screen_height 0 0" ] || fail "F11 did not fill the screen again"
xdotool key Escape
sleep 0.5
read -r width _ _ _ < <(geometry)
((width < screen_width)) || fail "Escape did not leave full screen"

echo quit >&"$to_player"
wait "$player_pid" || fail "the player exited with $?"
echo "window test passed; screenshots in $artefacts"
