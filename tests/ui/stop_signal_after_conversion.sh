#!/usr/bin/env bash
# The Qt program started with one of Qt's own options (which makes it install
# the stop handling) converts in its window, then gets SIGTERM or SIGHUP: it
# must end with 143 or 129, as it does before any conversion. Every wait is
# for a sign (the display's number, the window, the output file); the time
# limits only turn a hang into a failure.
#   stop_signal_after_conversion.sh TESSARO SAMPLE.aac
# Exits 77 (skipped) when Xvfb or xdotool is missing (scripts/install-deps qt).
set -u
program=$1
sample=$2
for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is missing (scripts/install-deps qt)"
    exit 77
  fi
done

work=$(mktemp -d)
xvfb=
app=
finish() {
  [ -n "$app" ] && kill -9 "$app" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

# Xvfb picks a free display and writes its number to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$work/display")
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work
cp "$sample" "$work/song.aac"

for signal in TERM HUP; do
  rm -f "$work/song_aac.wav"
  QT_QPA_PLATFORM=xcb "$program" -style Fusion --open "$work/song.aac" >/dev/null 2>&1 &
  app=$!
  window=$(timeout 120 xdotool search --sync --onlyvisible --name '^Tessaro' | head -n1)
  [ -n "$window" ] || fail "the window did not show"
  xdotool windowfocus --sync "$window" && xdotool key Return  # Enter converts
  for _ in $(seq 1200); do [ -s "$work/song_aac.wav" ] && break; sleep 0.1; done
  [ -s "$work/song_aac.wav" ] || fail "the window did not convert"
  kill -"$signal" "$app"
  for _ in $(seq 600); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "SIG$signal did not end the window after its conversion"
  status=0
  wait "$app" || status=$?
  app=
  expected=$([ "$signal" = TERM ] && echo 143 || echo 129)
  [ "$status" = "$expected" ] || fail "SIG$signal: exit $status, not $expected"
done
echo "the window ended on SIGTERM and SIGHUP after its conversions"
