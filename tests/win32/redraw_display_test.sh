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
. "$(dirname "$0")/display_session.sh"
start_display

mkdir "$work/app"
cp "$exe" "$work/app/tessaro.exe"
printf 'PosX=20\r\nPosY=40\r\nSizeX=512\r\nSizeY=144\r\n' >"$work/app/TSR.ini"

start_tessaro "$work/app"

# Pictures of the controls that keep their size, taken from a picture of the
# window's client area (the X window wine maps for it): client positions
# from the right edge, as the resize handler places them. A picture counts
# once two taken half a second apart are the same (every paint done).
controls=("browse-in -48 6 44 20" "browse-out -48 32 44 20" "size-label -104 60 50 12")
shoot() {
  local tag=$1 c name dx dy w h
  shoot_settled "$work/$tag.png"
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
