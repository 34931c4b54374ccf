#!/usr/bin/env bash
# How a --batch run scales with its number of files: converts 1,000 and then
# 10,000 small AAC files (three silent frames each) in one run each, and
# prints the time per file and the ratio of the two. A batch that looks at
# each file a fixed number of times gives a ratio near 1. Not a test:
# nothing is asserted.
#
#   bench/batch_scaling.sh          (data in build/bench/batch, removed after)
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

# Three 16-byte silent 48 kHz stereo frames.
frame='\xFF\xF9\x4C\x80\x02\x1F\xFC\x21\x00\x49\x90\x02\x19\x00\x23\x80'

# per_file COUNT: seconds per file of one batch over COUNT files, on stdout.
per_file() {
  local count=$1
  rm -rf "$data"
  mkdir -p "$data"
  for ((i = 0; i < count; i++)); do
    printf "$frame$frame$frame" > "$data/f$i.aac"
  done
  local start end
  start=$(date +%s%N)
  (cd "$data" && "$cli" --batch ./*.aac >/dev/null 2>&1) || true
  end=$(date +%s%N)
  local made
  made=$(find "$data" -name '*_aac.wav' | wc -l)
  [ "$made" -eq "$count" ] || echo "batch_scaling.sh: $made of $count files converted" >&2
  awk -v ns=$((end - start)) -v n="$count" 'BEGIN { printf "%.9f", ns / 1e9 / n }'
}

small=$(per_file 1000)
large=$(per_file 10000)
rm -rf "$data"
awk -v s="$small" -v l="$large" 'BEGIN {
  printf " 1,000 files: %8.3f ms per file\n", s * 1000
  printf "10,000 files: %8.3f ms per file (%.1f s in all)\n", l * 1000, l * 10000
  printf "ratio 10,000 / 1,000: %.2f\n", l / s
}'
