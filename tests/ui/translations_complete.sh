#!/usr/bin/env bash
# The English translation of the Qt window is complete and up to date:
# lupdate, run over the sources onto a copy of the .ts file, changes nothing
# (a new text in the code would come in unfinished).
#   translations_complete.sh LUPDATE SOURCE_DIR
set -euo pipefail
lupdate=$1
src=$2
ts=$src/ui/qt/translations/tessaro_en.ts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/tessaro_en.ts"
"$lupdate" -silent -I "$src" "$src/ui/qt" -ts "$work/tessaro_en.ts" -no-obsolete -locations none
if ! diff -u "$ts" "$work/tessaro_en.ts"; then
  echo "ui/qt/translations/tessaro_en.ts is not up to date: run the update_translations target" >&2
  echo "and translate its unfinished entries (Qt Linguist)." >&2
  exit 1
fi
if grep -n 'type="unfinished"' "$ts"; then
  echo "ui/qt/translations/tessaro_en.ts has unfinished entries" >&2
  exit 1
fi
