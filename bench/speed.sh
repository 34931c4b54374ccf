#!/usr/bin/env bash
# Speed and memory of both conversions on a one-hour 48 kHz stereo
# 192 kbit/s stream, each beside the least the machine needs for its bytes:
#   AAC to WAV  vs  dd reading the ADTS, then dd writing as many bytes as the
#                   WAV has from /dev/zero to a new file
#   WAV to AAC  vs  dd reading the WAV, then dd writing the ADTS to a new file
#   WAV to AAC  vs  ffmpeg reading the same WAV data
# and the time of AAC to WAV onto an existing output (replaced whole, flushed
# to the disk first), measured last. The commands take turns, round after
# round; printed are the median wall times (to the millisecond), their ratios
# and peak resident memory. Not a test: nothing is asserted, and on a busy
# machine the ratios mean little (the load average is printed before and
# after).
#
#   bench/speed.sh [rounds]        (default 9; data is kept in build/bench)
#   TESSARO_CLI=path/to/tessaro-cli bench/speed.sh   (another build, to compare)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-9}
data=build/bench
mkdir -p "$data"
for tool in ffmpeg dd /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "speed.sh: $tool is needed" >&2; exit 1; }
done

cli=${TESSARO_CLI:-}
if [ -z "$cli" ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target tessaro-cli >/dev/null
  cli=build/release/cli/tessaro-cli
fi

aac=$data/hour.aac
if [ ! -s "$aac" ]; then
  echo "making a one-hour test stream (takes about a minute)..."
  ffmpeg -hide_banner -loglevel error -y -f lavfi \
    -i "aevalsrc=0.3*sin(2*PI*(300+200*sin(0.1*t))*t)|0.3*sin(2*PI*450*t):s=48000:d=3600" \
    -c:a aac -b:a 192k -f adts "$aac"
fi
wav=$data/hour_aac.wav

# run NAME COMMAND...: appends "milliseconds peak_kib" to $data/NAME.times
run() {
  local name=$1; shift
  local start=$EPOCHREALTIME
  /usr/bin/time -f "%M" -o "$data/$name.peak" "$@" >/dev/null 2>&1 || true
  local end=$EPOCHREALTIME
  echo "$(awk -v s="$start" -v e="$end" 'BEGIN {printf "%.1f", (e - s) * 1000}') $(cat "$data/$name.peak")" \
    >> "$data/$name.times"
}
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
peak() { sort -n -k2 | tail -1 | awk '{print $2}'; }

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
rm -f "$data"/*.times
"$cli" "$aac" "$wav" >/dev/null   # warm the page cache
"$cli" "$wav" "$data/back.aac" >/dev/null
wavBytes=$(stat -c %s "$wav")
for _ in $(seq "$rounds"); do
  rm -f "$wav" "$data/zero.wav" "$data/back.aac" "$data/dd.aac"
  run aac2wav "$cli" "$aac" "$wav"
  run floor_aac2wav sh -c "dd if='$aac' of=/dev/null bs=1M status=none &&
    dd if=/dev/zero of='$data/zero.wav' bs=1M count=$wavBytes iflag=count_bytes status=none"
  run wav2aac "$cli" "$wav" "$data/back.aac"
  run floor_wav2aac sh -c "dd if='$wav' of=/dev/null bs=1M status=none &&
    dd if='$data/back.aac' of='$data/dd.aac' bs=1M status=none"
  # ffmpeg's IEC 61937 reader rejects these blocks (their length word is 0),
  # so the reference is ffmpeg copying the same bytes as raw PCM: the least
  # work it can do to read them.
  run ffmpeg ffmpeg -hide_banner -loglevel error -y -f s16le -ar 48000 -ac 2 -i "$wav" \
    -c copy -f s16le /dev/null
done
rm -f "$data/zero.wav" "$data/dd.aac"
# Replacing flushes 691 MB to the disk, whose writing back slows whatever
# runs next: these rounds come after the others.
for _ in $(seq "$rounds"); do
  run replace "$cli" "$aac" "$wav"
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"

t() { cut -d' ' -f1 < "$data/$1.times" | median; }
m() { peak < "$data/$1.times"; }
printf '%-28s %8s %10s   %s\n' "command (median of $rounds)" ms "peak KiB" "every round, ms"
for n in aac2wav floor_aac2wav wav2aac floor_wav2aac ffmpeg replace; do
  printf '%-28s %8s %10s   %s\n' "$n" "$(t $n)" "$(m $n)" "$(cut -d' ' -f1 < "$data/$n.times" | tr '\n' ' ')"
done
echo
awk -v a="$(t aac2wav)" -v c="$(t floor_aac2wav)" -v w="$(t wav2aac)" -v d="$(t floor_wav2aac)" \
    -v f="$(t ffmpeg)" -v r="$(t replace)" 'BEGIN {
  printf "AAC to WAV / its floor: %.2fx the time (target: at most 1.15x)\n", a / c
  printf "WAV to AAC / its floor: %.2fx the time (target: at most 1.15x)\n", w / d
  printf "ffmpeg / WAV to AAC:    %.2fx the time\n", f / w
  printf "AAC to WAV replacing an existing output, flush included: %.0f ms (%.2fx a new output)\n", r, r / a
}'
echo "peak memory: AAC to WAV $(m aac2wav) KiB, WAV to AAC $(m wav2aac) KiB (target: below 8192 KiB)"
cmp -s "$data/back.aac" <(cat "$aac"; printf '\xFF\xF9\x4C\x80\x02\x1F\xFC\x21\x00\x49\x90\x02\x19\x00\x23\x80') \
  && echo "round trip: every frame back, plus one silent frame" \
  || echo "round trip: OUTPUT DIFFERS"
