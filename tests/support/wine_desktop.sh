# Sourced by the window tests: a private virtual display and a private Wine prefix per test,
# both ended by process id when the test ends.
#
#   xvfb_start WORK [WIDTHxHEIGHT]  starts Xvfb (1920x1080 unless told); exports DISPLAY
#   prefix_make DIR TEMPLATE       a fresh prefix from the template; exports WINEPREFIX
#   wine_start NAME COMMAND...     runs COMMAND in the background; its pid in pids[NAME]
#   wine_stop NAME                 ends what wine_start NAME started
#   make_template DIR              builds the shared prefix once (wineboot, Managed=N)
#
# Every helper uses WINE (64-bit Wine's loader) and WINESERVER; probe uses probe_exe.

WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINEDEBUG=-all
# No Mono or Gecko installers, and no menu entries written for the desktop.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"

# Checks of the window tests: each prints "ok: ..." or "FAILED: ..." and counts failures.
failures=0
check() {  # check DESCRIPTION EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1: expected [$2], got [$3]"
    failures=$((failures + 1))
  fi
}
# The probe (probe_exe) run under Wine, its lines without CRs; field NAME picks NAME=value.
probe() { "$WINE" "$probe_exe" "$@" | tr -d '\r'; }
field() { grep "^$1=" | head -n1 | cut -d= -f2-; }

declare -A pids=()
xvfb_pid=""

# Ends everything the test started; set as the EXIT trap.
wine_desktop_stop_all() {
  local name
  for name in "${!pids[@]}"; do
    kill "${pids[$name]}" 2>/dev/null || true
  done
  # Only the private prefix's own server, which ends every program still in it.
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    "$WINESERVER" -k 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}

make_template() {
  local dir=$1
  mkdir -p "$(dirname "$dir")"
  (
    flock 9
    # Made again when Wine changes.
    if [ "$(cat "$dir/ready" 2>/dev/null)" != "$("$WINE" --version)" ]; then
      rm -rf "$dir"
      WINEPREFIX="$dir" "$WINE" wineboot --init >/dev/null 2>&1
      # Without a window manager, hiding a titled window waits 2 s unless Wine manages none.
      WINEPREFIX="$dir" "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
      WINEPREFIX="$dir" "$WINESERVER" -w
      "$WINE" --version >"$dir/ready"
    fi
  ) 9>"$dir.lock"
}

# A private virtual display: exports DISPLAY.
xvfb_start() {
  local work=$1 size=${2:-1920x1080}
  mkdir -p "$work"
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  local waited
  for waited in $(seq 1 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
}

# A fresh private prefix DIR made from TEMPLATE: exports WINEPREFIX. The server of a prefix
# made before is ended first.
prefix_make() {
  local dir=$1 template=$2
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
  fi
  rm -rf "$dir"
  mkdir -p "$(dirname "$dir")"
  # Programs and libraries are shared with the template as hard links; the registry, which
  # Wine rewrites, is copied.
  cp -al "$template" "$dir"
  rm -f "$dir/ready"
  local reg
  for reg in system.reg user.reg userdef.reg; do
    cp --remove-destination "$template/$reg" "$dir/$reg"
  done
  export WINEPREFIX="$dir"
}

wine_start() {
  local name=$1
  shift
  "$@" &
  pids[$name]=$!
}

wine_stop() {
  local name=$1
  [ -n "${pids[$name]:-}" ] || return 0
  kill "${pids[$name]}" 2>/dev/null || true
  wait "${pids[$name]}" 2>/dev/null || true
  unset "pids[$name]"
}

# Waits for the program started as NAME to end by itself, at most SECONDS.
wine_wait() {
  local name=$1 seconds=$2 waited
  for waited in $(seq 1 $((seconds * 10))); do
    kill -0 "${pids[$name]}" 2>/dev/null || { wait "${pids[$name]}" 2>/dev/null; unset "pids[$name]"; return 0; }
    sleep 0.1
  done
  return 1
}

# A Unix path as the programs under Wine see it (drive Z: is the root).
winepath_of() {
  echo "Z:$(realpath "$1" | tr / '\\')"
}

# A screenshot of the whole virtual display, once two taken in a row agree (at most about
# three seconds), so that a window still being painted is not caught half drawn.
screenshot() {
  local previous="" current tries
  for tries in $(seq 1 15); do
    import -window root "$1"
    current=$(md5sum <"$1")
    [ "$current" == "$previous" ] && return 0
    previous=$current
    sleep 0.2
  done
}

# The colour of one pixel of a picture, as rrggbb.
pixel() {
  convert "$1" -format '%[hex:p{'"$2"','"$3"'}]' info: | tr 'A-F' 'a-f' | cut -c1-6
}
