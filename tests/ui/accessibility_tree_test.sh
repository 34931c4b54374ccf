#!/usr/bin/env bash
# The dialog program's window as a screen reader reads it: the program runs
# on a display of its own (Xvfb) with a message bus of its own, the
# accessibility bus that bus starts (at-spi2-core), and the tree is read over
# it (python3-dbus). The size choice is named by its label, in both
# languages, and the other controls by their parts.
#   accessibility_tree_test.sh PROGRAM
# Exits 77 (skipped) when a tool is missing (scripts/install-deps qt).
set -u
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3  # Debian's, with its dbus module
for tool in Xvfb dbus-daemon /usr/libexec/at-spi-bus-launcher "$python"; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is missing (scripts/install-deps qt)"
    exit 77
  fi
done
if ! "$python" -c 'import dbus' 2>/dev/null; then
  echo "skipped: python3-dbus is missing (scripts/install-deps qt)"
  exit 77
fi

work=$(mktemp -d)
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap stop EXIT

# The display and the bus each name themselves once they accept clients.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 300); do [ -s "$work/display" ] && [ -s "$work/bus" ] && break; sleep 0.1; done
if [ ! -s "$work/display" ] || [ ! -s "$work/bus" ]; then
  echo "FAIL: Xvfb or dbus-daemon did not start"
  exit 1
fi
export DISPLAY=:$(head -n1 "$work/display")
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
export XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
cp "$program" "$work/tessaro"  # its settings beside it, in the test's folder

failures=0
check() {  # <language> <the size choice's name> <lines the tree must hold...>
  local language=$1 want
  shift
  "$work/tessaro" "--lang=$language" >/dev/null 2>&1 &
  local pid=$!
  "$python" "$here/atspi_names.py" tessaro "combo box" >"$work/tree" || failures=$((failures + 1))
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  for want in "$@"; do
    if ! grep -qxF "$want" "$work/tree"; then
      echo "FAIL ($language): no \"$want\" in the tree:"
      sed 's/^/  /' "$work/tree"
      failures=$((failures + 1))
    fi
  done
}
tab=$'\t'
check ja "combo box${tab}TSRｻｲｽﾞ" "push button${tab}入力ファイルを参照..." \
  "push button${tab}出力ファイルを参照..." "progress bar${tab}進行状況" "text${tab}報告"
check en "combo box${tab}WAV size" "push button${tab}Browse for the input file…" \
  "push button${tab}Browse for the output file…" "progress bar${tab}Progress" "text${tab}Report"

if [ "$failures" -ne 0 ]; then
  echo "accessibility tree: $failures failures"
  exit 1
fi
echo "accessibility tree: the size choice is named by its label"
