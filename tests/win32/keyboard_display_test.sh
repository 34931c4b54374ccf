#!/usr/bin/env bash
# The keyboard of tessaro.exe under wine on a real X display (Xvfb with
# openbox), through the real input path: keys typed with xdotool reach the
# window as a person's do. After every way a conversion ends (Enter, the
# convert button, a damaged file with its error window, a cancel with Esc)
# typing goes into the box that had the focus, Tab moves on and Esc closes
# the window; during a command-line run Esc cancels it. Each step waits for
# a sign from the program: a window that shows or goes, a file, the buttons
# drawn enabled again.
#   keyboard_display_test.sh <tessaro.exe> <samples dir>
# Uses WINEPREFIX with the x11 graphics driver while it runs (the null driver
# is put back at the end). Needs what display_session.sh needs.
set -euo pipefail
exe=$(realpath "$1")
samples=$(realpath "$2")
. "$(dirname "$0")/display_session.sh"
start_display

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The sample, and a copy with 700 bytes of junk inside: a damaged stream.
cp "$samples/tone48k_stereo.aac" "$work/clean.aac"
python3 - "$work/clean.aac" "$work/damaged.aac" <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
data[40000:40700] = b'\x5a' * 700
open(sys.argv[2], 'wb').write(data)
PY

win() { echo "Z:${1//\//\\}"; }  # the wine path of a Linux path

# Waits up to a minute for a command to succeed; else a failure named $1.
wait_for() {
  local what=$1
  shift
  poll 600 "$@" || { fail "$what"; return 1; }
}
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
gone() { ! shown "$1"; }
ended() { ! kill -0 "$program" 2>/dev/null; }

# The output browse button as drawn now; idle: as drawn when the window was
# new (enabled), which it is again only once a conversion has ended and the
# window waits for input.
browse_button() {
  shoot_settled "$work/now.png"
  local width
  width=$(identify -format %w "$work/now.png")
  convert "$work/now.png" -crop "44x20+$((width - 48))+32" +repage "$1"
}
idle() {
  browse_button "$work/button-now.png"
  [ "$(compare -metric AE "$work/button-idle.png" "$work/button-now.png" null: 2>&1 || true)" = 0 ]
}

# After each case: a program that is still running (its case failed) is
# ended, with every other wine process of the prefix, before the next starts.
end_dialog() {
  if ! ended; then
    kill "$program" 2>/dev/null || true
    timeout 60 wineserver -k >/dev/null 2>&1 </dev/null || true
    timeout 60 wineserver -w >/dev/null 2>&1 </dev/null || true
  fi
  wait "$program" 2>/dev/null || true
  program=
}

# A fresh copy of the program with its settings (the input path, the error
# window's display time in tenths), started with ARGS.
open_dialog() {  # <name> <input file> <ETime> [ARGS...]
  local name=$1 input=$2 etime=$3
  shift 3
  app=$work/$name
  mkdir -p "$app"
  cp "$exe" "$app/tessaro.exe"
  cp "$work/clean.aac" "$app/clean.aac"
  cp "$work/clean.aac" "$app/typed.aac"
  cp "$work/damaged.aac" "$app/damaged.aac"
  printf 'PosX=20\r\nPosY=40\r\nSizeX=700\r\nSizeY=160\r\nETime=%s\r\nInFile=%s\r\nOutputSize=0\r\n' \
    "$etime" "$(win "$app/$input")" >"$app/TSR.ini"
  start_tessaro "$app" "$@"
  browse_button "$work/button-idle.png"
}

# The keyboard after a conversion: typing goes on in the input box (the
# focus is back there), Enter converts what was typed, Tab reaches the
# output box, Esc closes the window with the settings saved.
type_tab_esc() {  # <what>
  local what=$1
  xdotool key Home shift+End
  xdotool type "$(win "$app/typed.aac")"
  xdotool key Return
  wait_for "$what: typing and Enter after it converted nothing" test -s "$app/typed_aac.wav" || return 0
  wait_for "$what: the window did not come back from the typed conversion" idle || return 0
  xdotool key Tab Tab
  xdotool type "$(win "$app/tabbed.wav")"
  xdotool key Return
  wait_for "$what: Tab did not reach the output box" test -s "$app/tabbed.wav" || return 0
  wait_for "$what: the window did not come back from the tabbed conversion" idle || return 0
  xdotool key Escape
  wait_for "$what: Esc did not close the window" ended || return 0
  grep -q 'typed.aac' "$app/TSR.ini" || fail "$what: the settings were not saved on Esc"
}

echo "== Enter in the input box, in Japanese and in English"
for lang in ja en; do
  open_dialog "enter-$lang" clean.aac 10 "--lang=$lang"
  xdotool key Return
  wait_for "Enter ($lang): no output" test -s "$app/clean_aac.wav" &&
    wait_for "Enter ($lang): the window did not come back" idle &&
    type_tab_esc "after Enter ($lang)"
  end_dialog
done

echo "== the convert button"
open_dialog button clean.aac 10
width=$(identify -format %w "$work/now.png")
xdotool mousemove --window "$window" $((width - 26)) 100 click 1 mousemove 1279 799
if wait_for "button: no output" test -s "$app/clean_aac.wav" && wait_for "button: the window did not come back" idle; then
  # The focus stays on the button: Tab goes round to the input box, whose
  # text it selects.
  xdotool key Tab
  xdotool type "$(win "$app/typed.aac")"
  xdotool key Return
  wait_for "after the button: Tab and typing converted nothing" test -s "$app/typed_aac.wav" &&
    wait_for "after the button: the window did not come back" idle &&
    { xdotool key Escape; wait_for "after the button: Esc did not close the window" ended || true; }
fi
end_dialog

echo "== a damaged file: the error window counts down and goes"
open_dialog damaged damaged.aac 10
xdotool key Return
wait_for "damaged: no error window" shown '^TSR ' &&
  wait_for "damaged: the error window stayed" gone '^TSR ' &&
  wait_for "damaged: no output" test -s "$app/damaged_aac.wav" &&
  wait_for "damaged: the window did not come back" idle &&
  type_tab_esc "after a damaged file"
end_dialog

echo "== a cancel: Esc in the window while the error window shows"
open_dialog cancel damaged.aac 600
xdotool key Return
if wait_for "cancel: no error window" shown '^TSR '; then
  xdotool mousemove --window "$window" 10 12 click 1 mousemove 1279 799  # on the input label
  xdotool key Escape
  wait_for "cancel: Esc did not stop the conversion" gone '^TSR ' &&
    wait_for "cancel: the window did not come back" idle &&
    { [ ! -e "$app/damaged_aac.wav" ] || fail "cancel: the output was written"; } &&
    type_tab_esc "after a cancel"
fi
end_dialog

echo "== the command line: Esc cancels the run"
open_dialog command-line clean.aac 600 damaged.aac
if wait_for "command line: no error window" shown '^TSR '; then
  xdotool mousemove --window "$window" 10 12 click 1 mousemove 1279 799
  xdotool key Escape
  if wait_for "command line: Esc did not end the run" ended; then
    status=0
    wait "$program" || status=$?
    [ "$status" = 1 ] || fail "command line: exit status $status after the cancel, not 1"
    [ ! -e "$app/damaged_aac.wav" ] || fail "command line: the output was written"
  fi
fi
end_dialog

if [ "$failures" -ne 0 ]; then
  echo "keyboard test: $failures failures"
  exit 1
fi
echo "keyboard test: typing, Tab and Esc answered after every way a conversion ends"
