# A real X display for tessaro.exe under wine, as a person meets it: Xvfb
# with the openbox window manager, wine switched to its x11 graphics driver
# while it runs. Sourced by the display tests; everything it starts is
# stopped again on exit (the null driver put back).
#   . display_session.sh
#   start_display                        # X server, window manager, x11 driver
#   start_tessaro DIR [ARGS...]          # DIR/tessaro.exe; sets $program, $window
# Needs Xvfb, openbox, xdotool and ImageMagick (scripts/install-deps display).
export WINEDEBUG=-all

for tool in Xvfb openbox xdotool import convert compare identify wine wineserver; do
  command -v "$tool" >/dev/null || { echo "display test: $tool is missing (scripts/install-deps display)"; exit 1; }
done

work=$(mktemp -d)
pids=()
program=
window=

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
stop_display() {
  [ -z "$program" ] || kill "$program" 2>/dev/null || true
  wine_driver null || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap stop_display EXIT

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
start_display() {
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  poll 200 test -s "$work/display" || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
  export DISPLAY=":$(head -1 "$work/display")"
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
  poll 200 xdotool get_desktop || { echo "FAIL: openbox did not start"; cat "$work/openbox.log"; exit 1; }
  wine_driver x11
}

# Starts DIR/tessaro.exe with ARGS and waits up to 60 s for its window
# ($window, the X window of its client area); a second start when the first
# window does not come. $program is the process.
start_tessaro() {
  local dir=$1 attempt
  shift
  window=
  for attempt in 1 2; do
    (cd "$dir" && exec timeout 300 wine ./tessaro.exe "$@" </dev/null >/dev/null 2>&1) &
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
}

# A picture of the client area that counts once two taken half a second
# apart are the same (every paint done): $1 the file.
shoot_settled() {
  local file=$1
  import -window "$window" "$file"
  for _ in $(seq 20); do
    sleep 0.5
    import -window "$window" "$file.again.png"
    [ "$(compare -metric AE "$file" "$file.again.png" null: 2>&1 || true)" = 0 ] && break
    mv "$file.again.png" "$file"
  done
  rm -f "$file.again.png"
}
