#!/usr/bin/env bash
# Large-file run (not part of CI; needs about 5 GB of free disk):
#   1. an AAC stream of 1,050,000 frames (the 48 kHz stereo sample's frames,
#      over and over) to a 16-bit WAV whose output passes 4 GiB;
#   2. that WAV back to AAC.
# Checks that the WAV is 44 + 4096 x frames bytes, that its size fields
# saturate at 0xFFFFFFFF instead of wrapping, that the way back gives every
# frame byte for byte (plus the one silent frame the end rule adds), and prints
# the time and peak resident memory of each direction.
#
#   bench/large_file.sh [path/to/tessaro-cli] [work directory]
set -euo pipefail
cd "$(dirname "$0")/.."

cli=${1:-build/release/cli/tessaro-cli}
work=${2:-$(mktemp -d "${TMPDIR:-/tmp}/tessaro-large.XXXXXX")}
frames=${FRAMES:-1050000}
[ -x "$cli" ] || { echo "large_file: no tessaro-cli at $cli (build the release preset first)" >&2; exit 2; }
mkdir -p "$work"
trap 'rm -f "$work/big.aac" "$work/big.wav" "$work/back.aac"' EXIT

echo "large_file: writing $frames frames to $work/big.aac"
python3 - "$work/big.aac" "$frames" <<'PY'
import sys
data = open("samples/tone48k_stereo.aac", "rb").read()
frames, pos = [], 0
while pos + 7 <= len(data):
    n = ((data[pos + 3] & 3) << 11) | (data[pos + 4] << 3) | (data[pos + 5] >> 5)
    if pos + n > len(data):
        break
    frames.append(data[pos:pos + n])
    pos += n
cycle = b"".join(frames)
count = int(sys.argv[2])
with open(sys.argv[1], "wb") as out:
    whole, rest = divmod(count, len(frames))
    for _ in range(whole):
        out.write(cycle)
    out.write(b"".join(frames[:rest]))
PY

# Runs the program under /usr/bin/time; prints its report, seconds and peak memory.
measure() {
  local label=$1
  shift
  local log="$work/$label.time"
  local status=0
  /usr/bin/time -v "$@" >"$work/$label.out" 2>"$log" || status=$?
  cat "$work/$label.out"
  local rss secs
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log")
  secs=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$log")
  echo "  [$label] exit $status, wall $secs, peak resident ${rss} KiB"
  return $status
}

measure aac_to_wav "$cli" "$work/big.aac" "$work/big.wav"
measure wav_to_aac "$cli" "$work/big.wav" "$work/back.aac"

python3 - "$work" "$frames" <<'PY'
import os, struct, sys
work, frames = sys.argv[1], int(sys.argv[2])
wav = os.path.join(work, "big.wav")
size = os.path.getsize(wav)
with open(wav, "rb") as f:
    head = f.read(44)
riff, data = struct.unpack_from("<I", head, 4)[0], struct.unpack_from("<I", head, 40)[0]
ok = True
def check(cond, text):
    global ok
    print(("  ok    " if cond else "  FAIL  ") + text)
    ok = ok and cond
check(size == 44 + 4096 * frames, f"WAV size {size:,} = 44 + 4096 x {frames:,}")
check(size > 1 << 32, "WAV passes 4 GiB")
check(data == 0xFFFFFFFF and riff == 0xFFFFFFFF, f"size fields saturate: data {data:#x}, RIFF {riff:#x}")
silent = bytes.fromhex("FFF94C80021FFC2100499002190023 80".replace(" ", ""))
a, b = os.path.join(work, "big.aac"), os.path.join(work, "back.aac")
check(os.path.getsize(b) == os.path.getsize(a) + 16, f"AAC back is {os.path.getsize(b):,} bytes = input + one silent frame")
same = True
with open(a, "rb") as fa, open(b, "rb") as fb:
    while True:
        x = fa.read(1 << 20)
        if not x:
            break
        if fb.read(len(x)) != x:
            same = False
            break
    tail = fb.read()
check(same and tail == silent, "every frame comes back byte for byte, then the silent frame")
sys.exit(0 if ok else 1)
PY
echo "large_file: all checks passed"
