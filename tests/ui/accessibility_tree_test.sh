#!/usr/bin/env bash
# The dialog program's window as a screen reader reads it: the program runs
# on the display and the session message bus given (under_window_manager.sh
# and dbus-run-session make them), with the accessibility bus that the
# session bus starts (at-spi2-core), over which the tree is read
# (python3-dbus). The size choice is named by its label, in both languages,
# and the other controls by their parts.
#   accessibility_tree_test.sh PROGRAM
# Exits 77 (skipped) when a tool is missing (scripts/install-deps qt).
set -u
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3  # Debian's, with its dbus module
if [ ! -x /usr/libexec/at-spi-bus-launcher ] || ! "$python" -c 'import dbus' 2>/dev/null; then
  echo "skipped: at-spi2-core or python3-dbus is missing (scripts/install-deps qt)"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
cp "$program" "$work/tessaro"  # its settings beside it, in the test's folder

failures=0
check() {  # <language> <lines the tree must hold...>
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
  "push button${tab}出力ファイルを参照..." "progress bar${tab}進行状況" "text${tab}報告" \
  "check box${tab}編集ソフト用"
check en "combo box${tab}WAV size" "push button${tab}Browse for the input file…" \
  "push button${tab}Browse for the output file…" "progress bar${tab}Progress" "text${tab}Report" \
  "check box${tab}For editors"

if [ "$failures" -ne 0 ]; then
  echo "accessibility tree: $failures failures"
  exit 1
fi
echo "accessibility tree: the size choice is named by its label"
