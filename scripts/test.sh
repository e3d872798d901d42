#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

step() { echo; echo "=== $*"; }

step "native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "native32 build (g++ -m32), tests through qemu-i386-static"
cmake --preset native32 >/dev/null
cmake --build --preset native32
ctest --preset native32

step "encoding tables regenerated from ICU"
bash scripts/check-tables.sh

step "native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset native-asan

step "fuzz targets, bounded runs"
bash scripts/fuzz.sh "${QUORVANE_FUZZ_SECONDS:-60}"

step "win64 build, tests under 64-bit Wine"
export WINEDEBUG=-all

/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
cmake --preset win64 >/dev/null
cmake --build --preset win64
ctest --preset win64

step "win32 release build"
cmake --preset win32 >/dev/null
cmake --build --preset win32

step "win32 release package"
(cd build/win32 && cpack --config CPackConfig.cmake >/dev/null)
unzip -l build/win32/package/Quorvane-*-win32.zip
