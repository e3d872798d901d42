#!/usr/bin/env bash
# Loads the worst subtitle files of up to 32 MiB (the largest select-and-start reads) with the
# native build and with the 32-bit build run through qemu-i386-static, printing the load time
# and the peak memory of each, one process per file.
# load_worst_case.sh [WORK_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
work=${1:-build/worst-case-files}
mkdir -p "$work"

python3 - "$work" <<'PY'
import os, random, sys
folder = sys.argv[1]
size = 32 * 1024 * 1024
def write(name, data):
    path = os.path.join(folder, name)
    if not os.path.exists(path) or os.path.getsize(path) != len(data):
        open(path, "wb").write(data)
write("arrows.srt", b"-->" * (size // 3))
write("arrow-lines.srt", b"-->\r\n" * (size // 5))
write("line-breaks.srt", b"\r\n" * (size // 2))
write("lone-lf.srt", b"\n" * size)
cue = b"1\r\n00:00:01,000 --> 00:00:02,000\r\nx\r\n\r\n"
write("tiny-cues.srt", cue * (size // len(cue)))
write("utf8-arrows.srt", b"\xef\xbb\xbf" + "→-->".encode() * ((size - 3) // 6))
write("utf16-arrows.srt", b"\xff\xfe" + "-->".encode("utf-16-le") * ((size - 2) // 6))
random.seed(1)
write("random.srt", bytes(random.getrandbits(8) for _ in range(size)))
PY

for preset in native native32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target load_worst_case >/dev/null
done
for preset in native native32; do
  run=build/$preset/bench/load_worst_case
  [ "$preset" = native32 ] && run="/usr/bin/qemu-i386-static $run"
  echo "== $preset"
  for file in "$work"/*.srt; do $run "$file"; done
done
