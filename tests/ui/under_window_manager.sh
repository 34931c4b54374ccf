#!/usr/bin/env bash
# Runs a test program under a real window manager: a display of its own
# (Xvfb) with openbox on it, both stopped afterwards. Window frames, which
# the offscreen platform lacks, then count as they do on a desktop.
#   under_window_manager.sh PROGRAM [ARGS...]
# Exits 77 (skipped) when Xvfb or openbox is missing (scripts/install-deps qt).
set -u
for tool in Xvfb openbox; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is missing (scripts/install-deps qt)"
    exit 77
  fi
done

work=$(mktemp -d)
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap stop EXIT

# Xvfb picks a free display and writes its number to descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
if [ ! -s "$work/display" ]; then
  echo "Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=:$(head -n1 "$work/display")
export XDG_RUNTIME_DIR=$work
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
sleep 1  # openbox takes over the display

QT_QPA_PLATFORM=xcb "$@"
