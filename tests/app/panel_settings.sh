#!/usr/bin/env bash
# Quorvane.exe's settings under Wine: moving each slider (by a drag, an arrow key and a page
# key) and ticking each box stores the values under HKLM\Software\Marrowby\Quorvane, the
# delay box keeps only digits and the minus sign (typed, pasted or set), a link label works
# once, a restart shows what was stored, a stored "top" of 93 starts at the screen height
# less 110, and the panel laid out at 150 % keeps every control inside its window.
# panel_settings.sh WINE QUORVANE_EXE PROBE_EXE TEMPLATE WORK ARTEFACTS
set -euo pipefail
WINE=$1 quorvane=$2 probe_exe=$3 template=$4 work=$5 artefacts=$6
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../support/wine_desktop.sh"
trap wine_desktop_stop_all EXIT
export LC_ALL=en_US.UTF-8
mkdir -p "$artefacts"

key='HKLM\Software\Marrowby\Quorvane'
VK_RIGHT=39 VK_NEXT=34

stored() {  # the stored values as "name=value" words, sorted
  "$WINE" reg query "$key" 2>/dev/null | tr -d '\r' |
    awk '$2 == "REG_SZ" {print $1 "=" $3}' | sort | xargs
}
start_panel() {
  wine_start quorvane "$WINE" "$quorvane"
  probe wait-panel 30 >/dev/null
}
close_panel() {
  probe close >/dev/null
  if ! wine_wait quorvane 20; then
    echo "FAILED: Quorvane.exe did not end after its panel closed"
    failures=$((failures + 1))
    wine_stop quorvane
  fi
}

make_template "$template"
xvfb_start "$work"
prefix_make "$work/prefix" "$template"

echo "--- a first run: every control changed"
start_panel
out=$(probe slider 滑块条1 20 slider 滑块条2 1000 slider 滑块条3 123 key 滑块条3 $VK_RIGHT \
  key 滑块条3 $VK_NEXT slider 滑块条4 456 click 选择框1 click 选择框2 settext 编辑框1 Arial dump)
check "font size slider and its label" "20 range=4..36 line=1 page=5|Font size = 40" \
  "$(field 滑块条1.position <<<"$out")|$(field 标签3 <<<"$out")"
check "width slider and its label" "1000|Sub width = 1000" \
  "$(field 滑块条2.position <<<"$out" | cut -d' ' -f1)|$(field 标签5 <<<"$out")"
check "left slider: dragged to 123, then one arrow step and one page step" "129|Left = 129" \
  "$(field 滑块条3.position <<<"$out" | cut -d' ' -f1)|$(field 标签4 <<<"$out")"
check "top slider and its label" "456|Top = 456" \
  "$(field 滑块条4.position <<<"$out" | cut -d' ' -f1)|$(field 标签2 <<<"$out")"
check "check boxes" "Center [ ]|Shadow [x]" "$(field 选择框1 <<<"$out")|$(field 选择框2 <<<"$out")"
check "stored at once, while the panel runs" \
  "centext=0 font=Arial left=129 shadow=1 size=40 top=456 width=1000" "$(stored)"

echo "--- the delay box"
check "typed: 12a keeps 12" "12" "$(probe type 编辑框2 12a dump | field 编辑框2)"
check "typed: at most 8 characters" "-1234567" "$(probe type 编辑框2 -123456789 dump | field 编辑框2)"
check "pasted: only digits and the minus sign" "-1500" "$(probe paste 编辑框2 ' -15x00 ms' dump | field 编辑框2)"
check "pasted: at most 8 characters" "12345678" "$(probe paste 编辑框2 1234567890 dump | field 编辑框2)"
check "set by another program: held to the same rule" "45" "$(probe settext 编辑框2 '4a5' dump | field 编辑框2)"

echo "--- the delay box's balloon, centred below it when the mouse is over it"
read -r cx cy bottom < <(probe centre 编辑框2 | field centre)
xdotool mousemove $((cx - 4)) "$cy"
sleep 0.2
xdotool mousemove "$cx" "$cy"
sleep 1.5
out=$(probe tooltip)
screenshot "$work/shot.png"
convert "$work/shot.png" -crop 480x400+30+30 +repage "$artefacts/panel_tooltip.png"
check "tooltip text" "Backward  when  positive, Forward when negative.Unit: ms " "$(field tooltip <<<"$out")"
read -r tleft tright ttop < <(field tooltip.place <<<"$out")
check "tooltip below the box, across its centre" "yes" \
  "$([ "$tleft" -lt "$cx" -a "$tright" -gt "$cx" -a "$ttop" -ge "$bottom" ] && echo yes ||
     echo "no: $tleft..$tright from $ttop for $cx,$bottom")"
xdotool mousemove 1800 1000

echo "--- the usage button"
out=$(probe usage)
check "usage message: the usage text, an empty title, no owner, only OK" \
  "$(printf '%s' '1.Launch PowerDVD, Play Blu-ray drive or disc folder on your hard drive\r\n\r\n2.Click [Select and Start] button, Select a *.srt file\r\n\r\n     Hotkeys/Options\r\n\r\nF8    ~   Show/Hide Subtitles\r\n\r\nAlt + F1  ~  Font size +\r\nAlt + F2  ~  Font size -\r\n\r\nAlt +  ]   ~  Position +\r\nAlt +  [   ~  Position -\r\n\r\n\r\n                                By  Marrowby    2012/11/19')||none|OK " \
  "$(field usage.text <<<"$out")|$(field usage.title <<<"$out")|$(field usage.owner <<<"$out")|$(field usage.buttons <<<"$out")"

echo "--- a link label works once"
out=$(probe click 透明标签1 sleep 500 dump)
check "pressed link disabled" "Srt Rapid Adjustment (disabled)" "$(field 透明标签1 <<<"$out")"
check "the other links untouched" "Brackenfold Forum|Check update.Marrowby" \
  "$(field 透明标签3 <<<"$out")|$(field 透明标签2 <<<"$out")"
close_panel
check "closing without a chosen file stores no directory, and the delay is not stored" \
  "centext=0 font=Arial left=129 shadow=1 size=40 top=456 width=1000" "$(stored)"

echo "--- a restart shows what was stored"
start_panel
out=$(probe dump)
screenshot "$work/shot.png"
convert "$work/shot.png" -crop 480x400+30+30 +repage "$artefacts/panel_stored.png"
close_panel
check "restored" \
  "20|1000|129|456|Font size = 40|Sub width = 1000|Left = 129|Top = 456|Center [ ]|Shadow [x]|Arial|0" \
  "$(for n in 滑块条1.position 滑块条2.position 滑块条3.position 滑块条4.position; do
       field $n <<<"$out" | cut -d' ' -f1; done | xargs | tr ' ' '|')|$(
     for n in 标签3 标签5 标签4 标签2 选择框1 选择框2 编辑框1 编辑框2; do field $n <<<"$out"; done |
       paste -sd'|')"

echo "--- stored values limited by their sliders; a stored top of 93 means the default"
"$WINE" reg add "$key" /v top /d 93 /f >/dev/null
"$WINE" reg add "$key" /v size /d 37 /f >/dev/null
"$WINE" reg add "$key" /v width /d 5000 /f >/dev/null
start_panel
out=$(probe dump)
close_panel
check "top 93 starts at 1080 - 110" "970|Top = 970" \
  "$(field 滑块条4.position <<<"$out" | cut -d' ' -f1)|$(field 标签2 <<<"$out")"
check "size 37 starts at position 18" "18|Font size = 36" \
  "$(field 滑块条1.position <<<"$out" | cut -d' ' -f1)|$(field 标签3 <<<"$out")"
check "width 5000 starts at 2560" "2560|Sub width = 2560" \
  "$(field 滑块条2.position <<<"$out" | cut -d' ' -f1)|$(field 标签5 <<<"$out")"
check "loading writes nothing back" \
  "centext=0 font=Arial left=129 shadow=1 size=37 top=93 width=5000" "$(stored)"

echo "--- laid out at 150 %"
prefix_make "$work/prefix_150" "$template"
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
"$WINE" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
  /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w 2>/dev/null || true
start_panel
out=$(probe geometry)
screenshot "$work/shot.png"
convert "$work/shot.png" -crop 700x600+30+30 +repage "$artefacts/panel_150.png"
close_panel
echo "$out"
read -r cw ch < <(field client <<<"$out" | tr x ' ')
check "client area scaled to 150 %" "yes" "$([ "$cw" -ge 600 -a "$ch" -ge 462 ] && echo yes || echo "no: ${cw}x$ch")"
read -r bx by bw bh < <(grep '^按钮3 ' <<<"$out" | awk '{print $2, $3}' | tr ',x' '  ')
check "按钮3 at 1.5 times its place and size" "312 78 156 60" "$bx $by $bw $bh"
outside=$(grep -v '^client=' <<<"$out" | awk -v cw="$cw" -v ch="$ch" '{
  split($2, at, ","); split($3, size, "x");
  if (at[1] < 0 || at[2] < 0 || at[1] + size[1] > cw || at[2] + size[2] > ch) print $1 }' | xargs)
check "every control inside the client area" "" "$outside"

if ((failures)); then
  echo "$failures checks failed"
  exit 1
fi
echo "all panel settings checks passed"
