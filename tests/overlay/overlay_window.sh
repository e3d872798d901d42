#!/usr/bin/env bash
# The overlay under Wine on a virtual display, loaded with a known text over a backdrop of a
# known colour: only the text's pixels show (no key colour, no anti-aliased fringe), it
# moves and restyles with the panel's sliders and boxes, never takes the focus from the
# window below, and lets clicks through to it; its label's window text is the text shown.
# overlay_window.sh WINE STAGE_EXE PROBE_EXE TEMPLATE WORK ARTEFACTS
set -euo pipefail
WINE=$1 stage=$2 probe_exe=$3 template=$4 work=$5 artefacts=$6
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../support/wine_desktop.sh"
trap wine_desktop_stop_all EXIT
export LC_ALL=C.UTF-8
mkdir -p "$artefacts"

check_true() {  # check_true DESCRIPTION CONDITION...
  local description=$1
  shift
  if "$@"; then echo "ok: $description"; else echo "FAILED: $description"; failures=$((failures + 1)); fi
}


# The colours present in a region WxH+X+Y of a picture, sorted, as rrggbb words.
colours() {
  convert "$1" -crop "$2" +repage -format %c histogram:info: |
    grep -o '#[0-9A-Fa-f]\{6\}' | tr 'A-F#' 'a-f ' | sort -u | xargs
}
# The bounding box of the white pixels of a region, in screen pixels: "X Y W H".
white_box() {
  local region=$2 ox oy
  ox=$(cut -d+ -f2 <<<"$region")
  oy=$(cut -d+ -f3 <<<"$region")
  convert "$1" -crop "$region" +repage -fill black +opaque '#ffffff' -format '%@' info: |
    sed 's/[x+]/ /g' | awk -v ox="$ox" -v oy="$oy" '{print $3 + ox, $4 + oy, $1, $2}'
}
# How many pixels of a region have exactly one colour.
count_colour() {
  convert "$1" -crop "$2" +repage -format %c histogram:info: |
    awk -v colour="#$3" 'toupper($0) ~ toupper(colour) {sub(":", "", $1); n += $1} END {print n + 0}'
}

start_stage() {  # start_stage BACKDROP [text|blank|tick]
  : >"$work/stage.out"
  wine_start stage "$WINE" "$stage" "$1" 90 ${2:-} >"$work/stage.out"
  local waited
  for waited in $(seq 1 300); do
    grep -q 'stage ready' "$work/stage.out" && return 0
    sleep 0.1
  done
  echo "the stage did not start" >&2
  return 1
}

stop_stage() {
  probe close >/dev/null
  wine_wait stage 20 || { echo "FAILED: the stage did not end"; failures=$((failures + 1)); wine_stop stage; }
}

make_template "$template"
xvfb_start "$work"
prefix_make "$work/prefix" "$template"

# The panel sits at 50,50; everything below y = 420 is backdrop and overlay only.
below_panel=1920x660+0+420
shot="$work/shot.png"

echo "--- over blue, defaults but the place"
start_stage 0000ff
out=$(probe wait-panel 30 slider 滑块条4 500 slider 滑块条3 100 sleep 300 overlay foreground zorder)
echo "$out"
check "overlay placed from the sliders, layered, topmost, not activatable" \
  "100,500 2560x540 visible topmost layered transparent noactivate toolwindow" "$(field overlay <<<"$out")"
check "label as wide as the width slider" "1440" "$(field label.width <<<"$out")"
check "label's text in Unicode" '字幕测试 Quorvane\r\n第二行 Second line' "$(field label.text <<<"$out")"
check "the backdrop keeps the focus" "QuorvaneTestBackdrop" "$(field foreground <<<"$out")"
check "the overlay is first in the z-order" "QuorvaneOverlay" "$(field zorder <<<"$out" | cut -d' ' -f1)"
screenshot "$shot"
cp "$shot" "$artefacts/overlay_blue.png"
check "only the backdrop's and the text's colours: no key colour, no fringe" \
  "0000ff ffffff" "$(colours "$shot" "$below_panel")"
read -r x y w h < <(white_box "$shot" "$below_panel")
echo "text box: $x $y ${w}x$h"
check_true "text inside the label (left 100, top 500, 1440 wide)" \
  test "$x" -ge 100 -a $((x + w)) -le 1540 -a "$y" -ge 500 -a "$y" -lt 530
check_true "text centred in the label" test $((x + w / 2 - 820)) -ge -3 -a $((x + w / 2 - 820)) -le 3
check_true "two lines of 36-point text" test "$h" -ge 80 -a "$h" -le 120

echo "--- moved by the left and top sliders"
probe slider 滑块条3 400 slider 滑块条4 600 sleep 300 >/dev/null
screenshot "$shot"
read -r x2 y2 w2 h2 < <(white_box "$shot" "$below_panel")
check "moved right by 300 and down by 100, same size" "$((x + 300)) $((y + 100)) $w $h" "$x2 $y2 $w2 $h2"

echo "--- centring off"
probe toggle 选择框1 sleep 300 >/dev/null
screenshot "$shot"
read -r x3 y3 w3 h3 < <(white_box "$shot" "$below_panel")
check_true "text starts at the label's left edge" test "$x3" -ge 400 -a "$x3" -le 408

echo "--- font size 48 points"
probe slider 滑块条1 24 sleep 300 >/dev/null
screenshot "$shot"
read -r x4 y4 w4 h4 < <(white_box "$shot" "$below_panel")
check_true "larger text ($h3 -> $h4 high, $w3 -> $w4 wide)" test "$h4" -gt $((h3 * 5 / 4)) -a "$w4" -gt "$w3"

echo "--- another face from the font box"
probe settext 编辑框1 "WenQuanYi Micro Hei Mono" sleep 300 >/dev/null
screenshot "$shot"
read -r x7 y7 w7 h7 < <(white_box "$shot" "$below_panel")
check_true "the monospaced face sets the lines wider ($w4 -> $w7)" test "$w7" -gt "$w4"
probe settext 编辑框1 Bold sleep 300 >/dev/null

echo "--- width 300: the lines wrap"
probe slider 滑块条2 300 sleep 300 overlay >/dev/null
screenshot "$shot"
read -r x5 y5 w5 h5 < <(white_box "$shot" "$below_panel")
check_true "wrapped within 300 pixels ($w5 wide, $h5 high)" test "$w5" -le 300 -a "$h5" -gt "$h4"
check "label as wide as the width slider" "300" "$(probe overlay | field label.width)"

echo "--- shadow on"
probe slider 滑块条2 1440 toggle 选择框2 sleep 300 >/dev/null
screenshot "$shot"
check "text and its black shadow, nothing else" "000000 0000ff ffffff" "$(colours "$shot" "$below_panel")"
check_true "shadow drawn" test "$(count_colour "$shot" "$below_panel" 000000)" -gt 1000

echo "--- focus and clicks"
out=$(probe sleep 1200 foreground zorder title QuorvaneTestBackdrop)
check "after the raise timer ran, the backdrop still has the focus" \
  "QuorvaneTestBackdrop" "$(field foreground <<<"$out")"
check "and the overlay is still first in the z-order" "QuorvaneOverlay" "$(field zorder <<<"$out" | cut -d' ' -f1)"
read -r x6 y6 w6 h6 < <(white_box "$shot" "$below_panel")
xdotool mousemove $((x6 + w6 / 2)) $((y6 + h6 / 2)) click 1
xdotool mousemove 1800 1000 click 1
for tries in $(seq 1 30); do
  out=$(probe foreground title QuorvaneTestBackdrop)
  [ "$(field title <<<"$out")" == "clicks=2" ] && break
  sleep 0.1
done
check "clicks on the text and on the overlay's clear part reach the backdrop" "clicks=2" "$(field title <<<"$out")"
check "the backdrop keeps the focus after clicks" "QuorvaneTestBackdrop" "$(field foreground <<<"$out")"
stop_stage

echo "--- over white, with the shadow the settings now hold"
start_stage ffffff
probe wait-panel 30 sleep 300 >/dev/null
screenshot "$shot"
cp "$shot" "$artefacts/overlay_white_shadow.png"
check "white text with its black outline over white" "000000 ffffff" "$(colours "$shot" "$below_panel")"
check_true "the outline shows the text" test "$(count_colour "$shot" "$below_panel" 000000)" -gt 1000
stop_stage

echo "--- nothing shown"
start_stage 00ff00 blank
out=$(probe wait-panel 30 sleep 300 overlay)
check "label's text is empty when nothing is shown" "" "$(field label.text <<<"$out")"
screenshot "$shot"
check "only the backdrop shows" "00ff00" "$(colours "$shot" "$below_panel")"
stop_stage

echo "--- the display timer's tick shows a cue"
start_stage 0000ff tick
out=$(probe wait-panel 30 slider 滑块条3 300 sleep 500 overlay foreground)
check "the tick showed the cue" "Shown by the display tick" "$(field label.text <<<"$out")"
check "at the left slider's place" "300" "$(field overlay <<<"$out" | cut -d, -f1)"
check "without taking the focus" "QuorvaneTestBackdrop" "$(field foreground <<<"$out")"
stop_stage

echo "--- over a picture"
start_stage picture
probe wait-panel 30 toggle 选择框1 slider 滑块条1 18 slider 滑块条4 560 slider 滑块条3 240 sleep 300 >/dev/null
screenshot "$artefacts/overlay_picture.png"
stop_stage

if ((failures)); then
  echo "$failures checks failed"
  exit 1
fi
echo "all overlay checks passed"
