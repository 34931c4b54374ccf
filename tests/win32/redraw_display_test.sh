#!/usr/bin/env bash
# tessaro.exe under wine on a real X display (Xvfb with the openbox window
# manager): the two 参照 buttons and the TSRｻｲｽﾞ label show the same pixels
# before and after the window is made larger, and after it is made smaller.
#   redraw_display_test.sh <tessaro.exe>
# Uses WINEPREFIX with the x11 graphics driver while it runs (the null driver
# is put back at the end). Starts and stops its own X server, window manager
# and wine server. Needs Xvfb, openbox, xdotool and ImageMagick
# (scripts/install-deps display).
set -euo pipefail
exe=$(realpath "$1")
export WINEDEBUG=-all

for tool in Xvfb openbox xdotool import convert compare identify wine wineserver; do
  command -v "$tool" >/dev/null || { echo "redraw test: $tool is missing (scripts/install-deps display)"; exit 1; }
done

work=$(mktemp -d)
pids=()
program=

# Switches the prefix's graphics driver. Every wine process of the prefix is
# stopped before and after: one started under the other driver (the desktop
# process above all) would otherwise keep serving the next program with it.
wine_driver() {
  timeout 60 wineserver -k >/dev/null 2>&1 </dev/null || true
  timeout 60 wineserver -w >/dev/null 2>&1 </dev/null || true
  timeout 120 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$1" /f >/dev/null 2>&1 </dev/null
  timeout 60 wineserver -k >/dev/null 2>&1 </dev/null || true
  timeout 60 wineserver -w >/dev/null 2>&1 </dev/null || true
}
cleanup() {
  [ -z "$program" ] || kill "$program" 2>/dev/null || true
  wine_driver null || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Polls a command up to $1 tenths of a second.
poll() {
  local tenths=$1
  shift
  for _ in $(seq "$tenths"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# An X server on a display number nobody uses (it names the number once it
# accepts connections), then the window manager, managing once it has set
# the current desktop.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
poll 200 test -s "$work/display" || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
poll 200 xdotool get_desktop || { echo "FAIL: openbox did not start"; cat "$work/openbox.log"; exit 1; }

wine_driver x11

mkdir "$work/app"
cp "$exe" "$work/app/tessaro.exe"
printf 'PosX=20\r\nPosY=40\r\nSizeX=512\r\nSizeY=144\r\n' >"$work/app/TSR.ini"

# Starts tessaro.exe and waits up to 60 s for its window; a second start when
# the first window does not come.
window=
for attempt in 1 2; do
  (cd "$work/app" && exec timeout 300 wine ./tessaro.exe </dev/null >/dev/null 2>&1) &
  program=$!
  for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --name '^Tessaro Version' 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] && break
  echo "the Tessaro window did not appear (start $attempt)"
  kill "$program" 2>/dev/null || true
  timeout 60 wineserver -k >/dev/null 2>&1 </dev/null || true
  timeout 60 wineserver -w >/dev/null 2>&1 </dev/null || true
done
[ -n "$window" ] || { echo "FAIL: the Tessaro window did not appear"; exit 1; }
xdotool mousemove 1279 799  # the pointer away from every control

# Pictures of the controls that keep their size, taken from a picture of the
# window's client area (the X window wine maps for it): client positions
# from the right edge, as the resize handler places them. A picture counts
# once two taken half a second apart are the same (every paint done).
controls=("browse-in -48 6 44 20" "browse-out -48 32 44 20" "size-label -104 60 50 12")
shoot() {
  local tag=$1 c name dx dy w h
  import -window "$window" "$work/$tag.png"
  for _ in $(seq 20); do
    sleep 0.5
    import -window "$window" "$work/$tag-again.png"
    [ "$(compare -metric AE "$work/$tag.png" "$work/$tag-again.png" null: 2>&1 || true)" = 0 ] && break
    mv "$work/$tag-again.png" "$work/$tag.png"
  done
  width=$(identify -format %w "$work/$tag.png")
  echo "$tag: client area $(identify -format '%w x %h' "$work/$tag.png")"
  for c in "${controls[@]}"; do
    read -r name dx dy w h <<<"$c"
    convert "$work/$tag.png" -crop "${w}x${h}+$((width + dx))+$dy" +repage "$work/$tag-$name.png"
  done
}

failures=0
shoot start
start_width=$width
for size in "800 300" "400 120"; do
  read -r new_width new_height <<<"$size"
  xdotool windowsize "$window" "$new_width" "$new_height"
  shoot "resized-$new_width"
  [ "$width" -ne "$start_width" ] || { echo "FAIL: the window kept its width $width"; failures=$((failures + 1)); }
  for c in "${controls[@]}"; do
    read -r name _ <<<"$c"
    differing=$(compare -metric AE "$work/start-$name.png" "$work/resized-$new_width-$name.png" null: 2>&1 || true)
    if [ "$differing" != 0 ]; then
      echo "FAIL: $name after resizing to $new_width x $new_height: $differing pixels differ"
      failures=$((failures + 1))
      mkdir -p "${TESSARO_FAILED_PICTURES:-/tmp}"
      cp "$work/start.png" "$work/resized-$new_width.png" "${TESSARO_FAILED_PICTURES:-/tmp}/" 2>/dev/null || true
    fi
  done
done

if [ "$failures" -ne 0 ]; then
  echo "redraw test: $failures failures"
  exit 1
fi
echo "redraw test: every control drawn after each resize"
