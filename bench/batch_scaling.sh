#!/usr/bin/env bash
# How a --batch run scales with its number of files: converts 1,000 and then
# 10,000 small AAC files (three silent frames each) in one run each (and any
# larger counts given), and prints the time per file, the ratio of the
# times, and the peak resident memory of each run with what each file adds
# to it. A batch that looks at each file a fixed number of times gives a
# ratio near 1, and one that keeps little per file a small cost. Not a
# test: nothing is asserted.
#
#   bench/batch_scaling.sh            (data in build/bench/batch, removed after)
#   bench/batch_scaling.sh 100000     (also 100,000 files: about 2 GB of data)
#   TESSARO_CLI=path/to/tessaro-cli bench/batch_scaling.sh   (no build)
set -euo pipefail
cd "$(dirname "$0")/.."
data=build/bench/batch
if [ -z "${TESSARO_CLI:-}" ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target tessaro-cli >/dev/null
  TESSARO_CLI=build/release/cli/tessaro-cli
fi
cli=$(realpath "$TESSARO_CLI")
# GNU time gives the peak resident memory (scripts/install-deps tools).
gnu_time=/usr/bin/time
[ -x "$gnu_time" ] || { echo "batch_scaling.sh: $gnu_time is missing (scripts/install-deps tools)" >&2; exit 1; }
# 100,000 names are more than the default stack lets a command line hold.
ulimit -s unlimited 2>/dev/null || ulimit -s 65536 2>/dev/null || true

# Three 16-byte silent 48 kHz stereo frames.
frame='\xFF\xF9\x4C\x80\x02\x1F\xFC\x21\x00\x49\x90\x02\x19\x00\x23\x80'

# run COUNT: "SECONDS_PER_FILE PEAK_KIB" of one batch over COUNT files, on stdout.
run() {
  local count=$1
  rm -rf "$data"
  mkdir -p "$data"
  for ((i = 0; i < count; i++)); do
    printf "$frame$frame$frame" > "$data/f$i.aac"
  done
  local start end
  start=$(date +%s%N)
  (cd "$data" && "$gnu_time" -f '%M' -o ../peak "$cli" --batch ./*.aac >/dev/null 2>&1) || true
  end=$(date +%s%N)
  local made
  made=$(find "$data" -name '*_aac.wav' | wc -l)
  [ "$made" -eq "$count" ] || echo "batch_scaling.sh: $made of $count files converted" >&2
  awk -v ns=$((end - start)) -v n="$count" -v peak="$(tail -n1 "$data/../peak")" \
    'BEGIN { printf "%.9f %d\n", ns / 1e9 / n, peak }'
}

counts=(1000 10000 "$@")
declare -A seconds peak
for count in "${counts[@]}"; do
  read -r seconds[$count] peak[$count] < <(run "$count")
done
rm -rf "$data" "$data/../peak"
previous=
for count in "${counts[@]}"; do
  awk -v n="$count" -v s="${seconds[$count]}" -v kib="${peak[$count]}" 'BEGIN {
    printf "%7d files: %8.3f ms per file (%.1f s in all), peak resident %6d KiB\n", n, s * 1000, s * n, kib
  }'
  if [ -n "$previous" ]; then
    awk -v a="$previous" -v b="$count" -v sa="${seconds[$previous]}" -v sb="${seconds[$count]}" \
        -v ka="${peak[$previous]}" -v kb="${peak[$count]}" 'BEGIN {
      printf "        %d / %d: time per file ratio %.2f, %.0f bytes more memory per file\n",
             b, a, sb / sa, (kb - ka) * 1024 / (b - a)
    }'
  fi
  previous=$count
done
