#!/usr/bin/env bash
# The Qt windows' texts live in ui/qt/window_texts.cpp only: no other file of
# ui/qt holds a string literal with a non-ASCII character (a Japanese text
# written into widget code would show in the English window too).
#   texts_in_one_place.sh SOURCE_DIR
set -euo pipefail
cd "$1/ui/qt"
found=$(LC_ALL=C grep -nP '"[^"\n]*[\x80-\xff][^"\n]*"' --include='*.cpp' --include='*.h' -r . |
  grep -v '^\./window_texts\.cpp:' | grep -vP '^[^:]+:\d+:\s*//' || true)
if [ -n "$found" ]; then
  echo "Texts outside ui/qt/window_texts.cpp:" >&2
  echo "$found" >&2
  exit 1
fi
