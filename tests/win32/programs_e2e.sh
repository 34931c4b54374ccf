#!/usr/bin/env bash
# tessaro-cli.exe and tessaro.exe under wine, end to end on the samples, with
# Japanese and blank-holding names: outputs and reports must equal, byte for
# byte, those of the Linux tessaro-cli.
#   programs_e2e.sh <tessaro-cli.exe> <tessaro.exe> <samples dir> <linux tessaro-cli>
set -euo pipefail
cli_exe=$1 gui_exe=$2 samples=$3 ref=$4
if [ -z "$ref" ] || [ ! -x "$ref" ]; then
  echo "no Linux tessaro-cli to compare with (TESSARO_REFERENCE_CLI): skipped"
  exit 77
fi
export WINEDEBUG=-all
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# A 32-bit or broken wine exits 0 without doing anything: compare outputs.
same() { cmp -s "$1" "$2" || fail "$3: $1 differs from $2"; }
win() { (cd "$1" && shift && timeout 120 wine "$@" </dev/null); }

dir_name="日本語 フォルダ"
for sample in "$samples"/*.aac; do
  base=$(basename "$sample" .aac)
  name="曲 $base DELAY 120ms.aac"
  for side in linux windows; do
    mkdir -p "$work/$side/$dir_name"
    cp "$sample" "$work/$side/$dir_name/$name"
  done
  for size in -s1 -s2; do
    out="$dir_name/出力 $base $size.wav"
    back="$dir_name/戻し $base $size.aac"
    (cd "$work/linux" && "$ref" $size "$dir_name/$name" "$out" >"$base$size.out" 2>/dev/null) || true
    (cd "$work/linux" && "$ref" "$out" "$back" >"$base$size.back.out" 2>/dev/null) || true
    win "$work/windows" "$cli_exe" $size "$dir_name/$name" "$out" >"$work/windows/$base$size.out" 2>/dev/null || true
    win "$work/windows" "$cli_exe" "$out" "$back" >"$work/windows/$base$size.back.out" 2>/dev/null || true
    for f in "$out" "$back" "$base$size.out" "$base$size.back.out"; do
      [ -s "$work/linux/$f" ] || fail "Linux build wrote no $f"
      same "$work/linux/$f" "$work/windows/$f" "tessaro-cli.exe $size"
    done
  done
  # Output name derived from the input: the delay tag is rewritten.
  (cd "$work/linux" && "$ref" "$dir_name/$name" >/dev/null 2>&1) || true
  win "$work/windows" "$cli_exe" "$dir_name/$name" >/dev/null 2>&1 || true
  derived="$dir_name/曲 $base DELAY 0ms_aac.wav"
  same "$work/linux/$derived" "$work/windows/$derived" "tessaro-cli.exe derived name"

  # The dialog program's command-line run converts and ends, without
  # writing the settings file.
  gui="$work/gui $base"
  mkdir -p "$gui/$dir_name"
  cp "$gui_exe" "$gui/tessaro.exe"
  cp "$sample" "$gui/$dir_name/$name"
  win "$gui" ./tessaro.exe -s2 "$dir_name/$name" "$dir_name/出力 $base -s2.wav" || fail "tessaro.exe run"
  same "$work/linux/$dir_name/出力 $base -s2.wav" "$gui/$dir_name/出力 $base -s2.wav" "tessaro.exe -s2"
  win "$gui" ./tessaro.exe "$dir_name/$name" || fail "tessaro.exe run"
  same "$work/linux/$derived" "$gui/$derived" "tessaro.exe derived name"
  [ ! -e "$gui/TSR.ini" ] || fail "tessaro.exe wrote TSR.ini on a command-line run"
done

# An earlier output is replaced whole, with nothing hidden left beside it; a
# conversion that fails (here: the earlier output is read-only) keeps it.
rep="$work/replace"
mkdir -p "$rep"
cp "$samples/tone48k_stereo.aac" "$rep/曲.aac"
"$ref" "$rep/曲.aac" "$work/reference.wav" >/dev/null 2>&1 || true
printf 'earlier' >"$rep/出力.wav"
win "$rep" "$cli_exe" "曲.aac" "出力.wav" >/dev/null 2>&1 || fail "tessaro-cli.exe replacing"
same "$work/reference.wav" "$rep/出力.wav" "tessaro-cli.exe replacing an earlier output"
printf 'earlier' >"$rep/固定.wav"
win "$rep" cmd /c attrib +r "固定.wav" >/dev/null 2>&1 || true
status=0
win "$rep" "$cli_exe" "曲.aac" "固定.wav" >"$work/keep.out" 2>/dev/null || status=$?
[ "$status" -eq 1 ] || fail "tessaro-cli.exe onto a read-only output: exit $status, not 1"
[ "$(cat "$rep/固定.wav")" = earlier ] || fail "tessaro-cli.exe changed a read-only earlier output"
hidden=$(ls -A "$rep" | grep -c '^\.' || true)
[ "$hidden" -eq 0 ] || fail "a hidden new file was left beside the outputs"

# "-": standard input and output, through pipes and a redirected file, give
# the bytes of files in both directions; no spool file stays behind.
pipe="$work/pipe"
mkdir -p "$pipe"
"$ref" "$samples/tone48k_stereo.aac" "$pipe/reference.wav" >/dev/null 2>&1 || true
"$ref" "$pipe/reference.wav" "$pipe/reference.aac" >/dev/null 2>&1 || true
(cd "$pipe" && cat "$samples/tone48k_stereo.aac" | timeout 120 wine "$cli_exe" - - 2>/dev/null |
  cat >piped.wav) || fail "tessaro-cli.exe - - (AAC to WAV)"
same "$pipe/reference.wav" "$pipe/piped.wav" "tessaro-cli.exe - - (AAC to WAV)"
(cd "$pipe" && timeout 120 wine "$cli_exe" - piped.aac <reference.wav >/dev/null 2>&1) ||
  fail "tessaro-cli.exe - piped.aac"
same "$pipe/reference.aac" "$pipe/piped.aac" "tessaro-cli.exe - piped.aac (WAV to AAC)"
leftovers=$(find "${WINEPREFIX:-$HOME/.wine}/drive_c" -name '.tessaro-spool-*' 2>/dev/null | wc -l)
[ "$leftovers" -eq 0 ] || fail "a spool file of - was left in the temporary folder"

# A conversion killed part-way (as from the task manager) leaves nothing
# beside its output: the system removes the unfinished file.
killed="$work/killed"
mkdir -p "$killed"
for i in $(seq 300); do cat "$samples/tone48k_stereo.aac"; done >"$killed/長い.aac"
(cd "$killed" && exec wine "$cli_exe" 長い.aac 長い.wav </dev/null >/dev/null 2>&1) &
pid=$!
for i in $(seq 200); do
  ls -A "$killed" | grep -q '^\.' && break
  sleep 0.05
done
if ls -A "$killed" | grep -q '^\.'; then
  kill -9 "$pid"
  wait "$pid" 2>/dev/null || true
  for i in $(seq 50); do
    ls -A "$killed" | grep -q '^\.' || break
    sleep 0.1
  done
  left=$(ls -A "$killed" | grep -v '^長い\.aac$' || true)
  [ -z "$left" ] || fail "a killed tessaro-cli.exe left: $left"
else
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  fail "tessaro-cli.exe was not caught part-way through a conversion"
fi

# A command-line run of the dialog program exits as tessaro-cli.exe does;
# slips such as "-o x.wav song.aac" convert nothing (the error window that
# says why closes at once here).
gui="$work/gui status"
mkdir -p "$gui"
cp "$gui_exe" "$gui/tessaro.exe"
printf 'ETime=0\r\n' >"$gui/TSR.ini"
cp "$samples/tone48k_stereo.aac" "$gui/song.aac"
printf 'an older WAV' >"$gui/x.wav"
for run in "1 missing.aac" "2 -s2" "2 -o x.wav song.aac" "2 --bogus song.aac" "2 song.aac x.wav a.aac" \
  "2 -d 250 song.aac" "2 - song.aac" "2 --lang=fr song.aac" "2 --batch song.aac"; do
  expected=${run%% *}
  status=0
  win "$gui" ./tessaro.exe ${run#* } || status=$?
  [ "$status" -eq "$expected" ] || fail "tessaro.exe ${run#* } exited with $status, not $expected"
done
same "$samples/tone48k_stereo.aac" "$gui/song.aac" "tessaro.exe slips"
[ "$(cat "$gui/x.wav")" = "an older WAV" ] || fail "a tessaro.exe slip wrote x.wav"
[ ! -e "$gui/song_aac.wav" ] || fail "a tessaro.exe slip converted song.aac"

# --batch on a wildcard that tessaro-cli.exe expands itself, and --check and
# --json on the results: the same files and reports as the Linux build's,
# which is given the files by its shell.
for side in linux windows; do
  mkdir -p "$work/$side/batch/入力 フォルダ" "$work/$side/batch/出力"
  cp "$samples"/*.aac "$work/$side/batch/入力 フォルダ/"
done
(cd "$work/linux/batch" && "$ref" --batch -s2 --out-dir 出力 入力\ フォルダ/*.aac >batch.out 2>/dev/null) || true
win "$work/windows/batch" "$cli_exe" --batch -s2 --out-dir 出力 "入力 フォルダ/*.aac" \
  >"$work/windows/batch/batch.out" 2>/dev/null || true
(cd "$work/linux/batch" && "$ref" --check 出力/*.wav >check.out 2>/dev/null) || true
win "$work/windows/batch" "$cli_exe" --check "出力/*.wav" >"$work/windows/batch/check.out" 2>/dev/null || true
(cd "$work/linux/batch" && "$ref" --check --json 出力/*.wav >json.out 2>/dev/null) || true
win "$work/windows/batch" "$cli_exe" --check --json "出力/*.wav" >"$work/windows/batch/json.out" 2>/dev/null || true
for f in batch.out check.out json.out $(cd "$work/linux/batch" && ls 出力); do
  [ -f "$work/linux/batch/$f" ] || f="出力/$f"
  [ -s "$work/linux/batch/$f" ] || fail "Linux build wrote no batch/$f"
  same "$work/linux/batch/$f" "$work/windows/batch/$f" "tessaro-cli.exe --batch/--check"
done
grep -q '^\[2/2\] ' "$work/windows/batch/batch.out" || fail "tessaro-cli.exe --batch did not expand *.aac"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all outputs equal the Linux build's"
