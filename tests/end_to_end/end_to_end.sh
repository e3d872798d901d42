#!/usr/bin/env bash
# The whole job under Wine: Quorvane.exe follows the simulated PowerDVD.exe. Press 按钮3,
# choose a subtitle file in the dialog, and read what the overlay's label shows while the
# player plays, pauses and seeks, while the delay box shifts the timing, while the hotkeys are
# pressed with the player in front, when a second file is loaded, when no player runs, when
# the player holds no time block, and when the player exits mid-film; closing stores the
# folder. end_to_end.sh WINE QUORVANE_EXE PROBE_EXE PLAYER_EXE TEMPLATE WORK ARTEFACTS FIXTURES
set -euo pipefail
WINE=$1 quorvane=$2 probe_exe=$3 player_exe=$4 template=$5 work=$6 artefacts=$7 fixtures=$8
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../support/wine_desktop.sh"
trap 'exec 7>&- 2>/dev/null || true; wine_desktop_stop_all' EXIT
export LC_ALL=en_US.UTF-8
mkdir -p "$artefacts"

key='HKLM\Software\Marrowby\Quorvane'
must() {  # must DESCRIPTION COMMAND...: the command succeeds
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
stored() { { "$WINE" reg query "$key" /v "$1" 2>/dev/null || true; } | tr -d '\r' | awk '$2 == "REG_SZ" {print $3}'; }

# The player, driven through a pipe on its standard input: player_start ARGS..., player_say LINE.
player_start() {
  rm -f "$work/player.in"
  mkfifo "$work/player.in"
  # Opened for reading and writing first, so neither end waits for the other.
  exec 7<>"$work/player.in"
  # Not through wine_start: a command started with & reads /dev/null unless its own
  # redirection says otherwise.
  "$WINE" "$work/PowerDVD.exe" --limit 600 "$@" \
    <"$work/player.in" >"$work/player.out" 2>"$work/player.err" &
  pids[player]=$!
  for _ in $(seq 1 300); do
    grep -q ready "$work/player.out" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "FAILED: the simulated player did not start"; cat "$work/player.err"; exit 1
}
player_say() { echo "$1" >&7; }
player_stop() {
  exec 7>&- 2>/dev/null || true
  wine_wait player 10 || wine_stop player
}

start_panel() {
  wine_start quorvane "$WINE" "$quorvane"
  probe wait-panel 30 >/dev/null
}
close_panel() {
  probe close >/dev/null || true
  wine_wait quorvane 20 || wine_stop quorvane
}
# Presses 按钮3 and chooses FILE in the dialog.
load() { probe press 按钮3 choose "$(winepath_of "$1")" 30; }

make_template "$template"
xvfb_start "$work" 1920x1080
prefix_make "$work/prefix" "$template"
cp "$player_exe" "$work/PowerDVD.exe"
cp "$fixtures/twenty_cues.srt" "$fixtures/two_cues.srt" "$work/"
mkdir -p "$work/second" && cp "$fixtures/two_cues.srt" "$work/second/other.srt"

echo "--- no player running"
start_panel
out=$(probe press 按钮3 message 20)
check "no player: the message" \
  "Please launch CyberLink PowerDVD Ultra and Play in BD/DVD Mode" "$(field message.text <<<"$out")"
check "no player: its title" "Marrowby say" "$(field message.title <<<"$out")"
must "no player: no file dialog follows" probe no-dialog 1500

echo "--- a player without the time block"
player_start --no-pattern
out=$(probe press 按钮3 message 20)
check "no time block: the same message" "Marrowby say" "$(field message.title <<<"$out")"
must "no time block: no file dialog follows" probe no-dialog 1500
player_stop

echo "--- following the player"
player_start --start 0:00:00 --paused --fullscreen
out=$(load "$work/twenty_cues.srt")
echo "$out"
check "the dialog belongs to the panel" "panel" "$(field dialog.owner <<<"$out")"
check "the dialog comes in front of a topmost player" "yes" "$(field dialog.topmost <<<"$out")"
# The probe knows the film time exactly from the first change of the seconds cell on.
probe follow 40 >"$artefacts/end_to_end_timing.txt" &
follower=$!
sleep 4
player_say play
wait "$follower"
python3 - "$work/twenty_cues.srt" "$artefacts/end_to_end_timing.txt" <<'PY' | tee "$work/timing.txt"
import re, statistics, sys
starts, ends = {}, {}
text = open(sys.argv[1], newline="").read()
for m in re.finditer(r"(\d+):(\d+):(\d+),(\d+) --> (\d+):(\d+):(\d+),(\d+)\r\nCue (\d+)", text):
    h, mi, s, ms, h2, mi2, s2, ms2, n = map(int, m.groups())
    starts["Cue %02d" % n] = ((h * 60 + mi) * 60 + s) * 1000 + ms
    ends["Cue %02d" % n] = ((h2 * 60 + mi2) * 60 + s2) * 1000 + ms2
shown, cleared, last = {}, {}, None
for line in open(sys.argv[2]):
    m = re.match(r"at (-?\d+) (show (.*)|clear)", line.strip())
    if not m:
        continue
    t = int(m.group(1))
    if m.group(3):
        shown.setdefault(m.group(3), t)
        last = m.group(3)
    elif last:
        cleared.setdefault(last, t)
seen = [c for c in starts if c in shown]
errors = [shown[c] - starts[c] for c in seen]
clears = [cleared[c] - ends[c] for c in seen if c in cleared]
print("cues shown %d of %d" % (len(seen), len(starts)))
if errors:
    print("start error ms: median %d, worst %d (earliest %d, latest %d)" % (
        statistics.median(errors), max(errors, key=abs), min(errors), max(errors)))
    print("within 150 ms: %d" % sum(1 for e in errors if abs(e) <= 150))
if clears:
    print("clear after end ms: earliest %d, latest %d" % (min(clears), max(clears)))
    # The track clears 30 ms early; 50 ms more is what the probe's clock may be off by on
    # a busy machine.
    print("clears before the end: %d" % sum(1 for e in clears if e < -80))
PY
check "every cue shows" "cues shown 20 of 20" "$(grep '^cues shown' "$work/timing.txt")"
check "every cue within 150 ms of its start" "within 150 ms: 20" "$(grep '^within' "$work/timing.txt")"
check "no cue clears before its end" "clears before the end: 0" "$(grep '^clears before' "$work/timing.txt")"

echo "--- pause, seek and delay"
# Paused, the program holds the whole second the player shows.
player_say "seek 0:00:04.5"
player_say pause
must "a seek backwards shows cue 02 again" probe wait-text "Cue 02" 5
sleep 1.5
must "a pause holds the cue" probe wait-text "Cue 02" 0
screenshot "$artefacts/end_to_end_over_film.png"
player_say "seek 0:00:15.5"
must "a seek forward shows cue 09" probe wait-text "Cue 09" 5
probe settext 编辑框2 "-2000" >/dev/null
player_say "seek 0:00:27.5"
must "a delay of -2000 ms shows cue 18 at 0:00:27, two seconds early" probe wait-text "Cue 18" 5
probe settext 编辑框2 "0" >/dev/null
player_say play

echo "--- hotkeys with the player in front"
focus_player() {
  local window
  window=$(xdotool search --sync --limit 1 --name 'simulated player' 2>/dev/null || true)
  [ -n "$window" ] && xdotool windowactivate --sync "$window" 2>/dev/null || true
}
stroke() {  # stroke KEY...: held long enough for a 10 ms poller
  focus_player
  xdotool keydown "$@"; sleep 0.15; xdotool keyup "$@"; sleep 0.3
}
size_before=$(stored size)
stroke alt+F1
check "Alt+F1 stores a larger font" "$((${size_before:-36} + 2))" "$(stored size)"
stroke alt+F2
check "Alt+F2 stores the size back" "${size_before:-36}" "$(stored size)"
top_before=$(probe dump | field 滑块条4.position | cut -d' ' -f1)
stroke alt+bracketright
check "Alt+] moves down a pixel" "$((top_before + 1))" "$(stored top)"
stroke alt+bracketleft
check "Alt+[ moves up again" "$top_before" "$(stored top)"
stroke F8
check "F8 hides the subtitles" "hidden" "$(probe overlay | field overlay | awk '{print $3}')"
stroke F8
check "F8 shows them again" "visible" "$(probe overlay | field overlay | awk '{print $3}')"

echo "--- a second file"
player_say "seek 0:00:05.5"
out=$(load "$work/second/other.srt")
must "the second file's cue shows" probe wait-text "Second file" 5
check "exactly one overlay" "overlays=1" "$(probe overlays)"

echo "--- the player exits mid-film"
player_say "seek 0:00:01.2"
must "its cue shows" probe wait-text "Second file" 3
player_say quit
player_stop
must "no subtitle stays behind" probe wait-text "" 5

echo "--- closing stores the folder"
close_panel
check "the folder of the last file" "$(winepath_of "$work/second")\\" "$(stored directory)"

[ "$failures" -eq 0 ] && echo "end to end: all checks passed" || { echo "end to end: $failures failed"; exit 1; }
