#!/usr/bin/env bash
# Quorvane.exe under Wine on a virtual display, once per interface language, each a first
# run in a fresh prefix: the panel's title, captions, contents, ranges and steps as the
# fixture for that language gives them, nothing stored by the first run, and the program
# ending with 0 when the panel is closed. Keeps a screenshot of the panel per language.
# panel_languages.sh WINE QUORVANE_EXE PROBE_EXE TEMPLATE WORK ARTEFACTS
set -euo pipefail
WINE=$1 quorvane=$2 probe_exe=$3 template=$4 work=$5 artefacts=$6
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../support/wine_desktop.sh"
trap wine_desktop_stop_all EXIT
mkdir -p "$artefacts"

make_template "$template"
xvfb_start "$work"

echo "--- the version resource"
prefix_make "$work/prefix_version" "$template"
version=$(LC_ALL=C.UTF-8 "$WINE" "$probe_exe" version "$(winepath_of "$quorvane")" | tr -d '\r' | xargs)
if [ "$version" == "version=1.3.0.0 FileVersion=1.3.0.0 ProductVersion=1.3.0.0 ProductName=Quorvane" ]; then
  echo "ok: version 1.3.0.0 of Quorvane"
else
  echo "FAILED: version resource: $version"
  failures=$((failures + 1))
fi

# Locale, and the fixture of the language Wine's system language gives for it.
for run in zh_CN.UTF-8:zh_CN zh_TW.UTF-8:zh_TW en_US.UTF-8:en_US; do
  locale=${run%%:*} name=${run##*:}
  echo "--- $locale"
  prefix_make "$work/prefix_$name" "$template"
  export LC_ALL=$locale
  wine_start quorvane "$WINE" "$quorvane"
  "$WINE" "$probe_exe" wait-panel 30 dump | tr -d '\r' >"$work/panel_$name.txt"
  screenshot "$work/shot.png"
  convert "$work/shot.png" -crop 480x400+30+30 +repage "$artefacts/panel_$name.png"
  "$WINE" "$probe_exe" close >/dev/null
  if ! wine_wait quorvane 20; then
    echo "FAILED: Quorvane.exe did not end after its panel closed"
    failures=$((failures + 1))
    wine_stop quorvane
  fi
  if diff -u "$here/fixtures/panel_$name.expected" "$work/panel_$name.txt"; then
    echo "ok: the panel in $locale"
  else
    echo "FAILED: the panel in $locale"
    failures=$((failures + 1))
  fi
  if stored=$("$WINE" reg query 'HKLM\Software\Marrowby\Quorvane' 2>&1); then
    echo "FAILED: a first run stored settings:"
    echo "$stored"
    failures=$((failures + 1))
  else
    echo "ok: a first run stores nothing"
  fi
done

if ((failures)); then
  echo "$failures checks failed"
  exit 1
fi
echo "all panel language checks passed"
