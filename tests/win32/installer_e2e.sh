#!/usr/bin/env bash
# The per-user installer under wine, as a new user meets it, in a fresh
# prefix of its own: a silent install of an older version, then of this one
# over it; the files, the Start menu entry, "Open with" and the entry in the
# list of installed programs; a conversion by the installed tessaro-cli.exe;
# settings and error log in %APPDATA%\Tessaro; a silent uninstall that keeps
# only them. Then a copy in a folder it cannot write to, which also keeps its
# settings in %APPDATA%\Tessaro, and a copy in a folder it can write to, which
# keeps them beside itself.
#   installer_e2e.sh <folder of tessaro.exe and tessaro-cli.exe> <version> <samples dir>
set -euo pipefail
bin=$(cd "$1" && pwd) version=$2 samples=$(cd "$3" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
export WINEDEBUG=-all WINEARCH=win64 DISPLAY=
work=$(mktemp -d /tmp/tessaro-installer.XXXXXX)
export WINEPREFIX=$work/prefix
cleanup() {
  timeout 60 wineserver -k >/dev/null 2>&1 </dev/null || true
  chattr -i "$work/固定" 2>/dev/null || true
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
w() { timeout 120 wine "$@" </dev/null 2>/dev/null; }
# A registry key's values as text; empty when the key does not exist.
key() { w reg query "$@" | tr -d '\r' || true; }
unix() { w winepath -u "$1" | tr -d '\r'; }
# Installs and uninstalls wait for the installer service to finish.
msiexec() { w msiexec "$@"; local s=$?; timeout 120 wineserver -w >/dev/null 2>&1 </dev/null || true; return $s; }

echo "== the installers: $version and an older 0.0.1"
"$root/packaging/windows/build-msi" "$bin" x64 0.0.1 "$work/old.msi" >/dev/null 2>&1
"$root/packaging/windows/build-msi" "$bin" x64 "$version" "$work/new.msi" >/dev/null 2>&1

echo "== a fresh prefix"
timeout 300 wineboot -i >/dev/null 2>&1 </dev/null
timeout 300 wineserver -w >/dev/null 2>&1 </dev/null || true
w reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null

folder() { unix "$(w cmd /c echo "%$1%" | tr -d '\r')"; }
programs=$(folder LOCALAPPDATA)/Programs/Tessaro
appdata=$(folder APPDATA)
link="$appdata/Microsoft/Windows/Start Menu/Programs/Tessaro.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
entries() { { key "$uninstall_key" /s; key "${uninstall_key/HKLM/HKCU}" /s; } | grep -a -c 'DisplayName *REG_SZ *Tessaro$' || true; }

echo "== silent installs, the newer over the older"
msiexec /i "$(w winepath -w "$work/old.msi" | tr -d '\r')" /qn || fail "installing 0.0.1"
[ "$(entries)" = 1 ] || fail "0.0.1: $(entries) entries in the list of installed programs"
msiexec /i "$(w winepath -w "$work/new.msi" | tr -d '\r')" /qn || fail "installing $version"
listed=$({ key "$uninstall_key" /s; key "${uninstall_key/HKLM/HKCU}" /s; } | grep -a -B30 -A30 'DisplayName *REG_SZ *Tessaro$')
[ "$(entries)" = 1 ] || fail "$(entries) entries in the list of installed programs, not 1"
for want in "DisplayVersion *REG_SZ *$version" 'Publisher *REG_SZ *Tessaro developers' \
            'Size *REG_[A-Z_]* *[1-9]' 'UninstallString *REG_[A-Z_]* *MsiExec.exe /X{'; do
  grep -a -q "$want" <<<"$listed" || fail "list of installed programs: no $want"
done
key 'HKLM\Software\Classes\Installer\Products' /s | grep -a -q 'ProductIcon.*tessaro.ico' ||
  key 'HKCU\Software\Microsoft\Installer\Products' /s | grep -a -q 'ProductIcon.*tessaro.ico' ||
  fail "no icon for the list of installed programs"

for f in tessaro.exe tessaro-cli.exe readme.txt LICENSE.txt tessaro-installed.txt; do
  [ -s "$programs/$f" ] || fail "not installed: $f"
done
cmp -s "$bin/tessaro-cli.exe" "$programs/tessaro-cli.exe" || fail "the installed tessaro-cli.exe is not this build's"
[ -f "$link" ] || fail "no Start menu entry"
grep -a -q 'tessaro.exe' "$link" 2>/dev/null || fail "the Start menu entry does not start tessaro.exe"
for ext in .aac .wav; do
  w reg query "HKCU\\Software\\Classes\\$ext\\OpenWithList\\tessaro.exe" >/dev/null || fail "$ext: not under Open with"
  key "HKCU\\Software\\Classes\\Applications\\tessaro.exe\\SupportedTypes" | grep -a -q "$ext" ||
    fail "$ext: not among tessaro.exe's types"
  key "HKCU\\Software\\Classes\\$ext" /ve | grep -a -qi tessaro && fail "$ext: Tessaro took the default"
done
key 'HKCU\Software\Classes\Applications\tessaro.exe\shell\open\command' /ve |
  grep -a -q 'AppData\\Local\\Programs\\Tessaro\\tessaro.exe" "%1"' || fail "Open with: no command"

echo "== the installed programs"
mkdir -p "$work/曲 フォルダ"
cp "$samples/tone48k_stereo.aac" "$work/曲 フォルダ/曲.aac"
(cd "$work/曲 フォルダ" && w "$programs/tessaro-cli.exe" 曲.aac 出力.wav >/dev/null) || fail "installed tessaro-cli.exe failed"
(cd "$work/曲 フォルダ" && w "$bin/tessaro-cli.exe" 曲.aac 元.wav >/dev/null) || true
cmp -s "$work/曲 フォルダ/出力.wav" "$work/曲 フォルダ/元.wav" || fail "installed tessaro-cli.exe: wrong output"

# "Open with": the registered command converts the file once.
command=$(key 'HKCU\Software\Classes\Applications\tessaro.exe\shell\open\command' /ve |
  grep -a -o '"[^"]*tessaro.exe" "%1"' || true)
exe=${command#\"}
exe=${exe%%\"*}
cp "$samples/tone48k_stereo.aac" "$work/曲 フォルダ/開く.aac"
w "$exe" "$(w winepath -w "$work/曲 フォルダ/開く.aac" | tr -d '\r')" || true
cmp -s "$work/曲 フォルダ/元.wav" "$work/曲 フォルダ/開く_aac.wav" || fail "Open with: no conversion"

# A damaged stream: the dialog's command-line run logs it.
python3 - "$samples/tone48k_stereo.aac" "$work/曲 フォルダ/傷.aac" <<'EOF'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
del data[len(data) // 2:len(data) // 2 + 100]
open(sys.argv[2], 'wb').write(data)
EOF
(cd "$work/曲 フォルダ" && w "$programs/tessaro.exe" 傷.aac) || true
[ -s "$appdata/Tessaro/TSR_ErrorLog.txt" ] || fail "no error log in %APPDATA%\\Tessaro"

# The dialog, closed as a user closes it, saves its settings.
dialog_closed_saves() {  # <tessaro.exe> <what> <folder where the settings belong>
  wine "$1" </dev/null >/dev/null 2>&1 &
  local pid=$! i _
  # Closed as by its close box (WM_CLOSE) once taskkill finds it, then given
  # ten seconds to save and end; again while it lives on (a close that came
  # before its window could take it).
  for i in $(seq 30); do
    kill -0 "$pid" 2>/dev/null || break
    if w taskkill /im tessaro.exe >/dev/null; then
      for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    else
      sleep 1
    fi
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "$2: the dialog did not close"
    kill -9 "$pid" 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
  [ "$(grep -c '=' "$3/TSR.ini" 2>/dev/null)" = 7 ] || fail "$2: no settings in $3"
}
dialog_closed_saves "$programs/tessaro.exe" "installed" "$appdata/Tessaro"
ls "$programs" | grep -qi '^TSR' && fail "the installed copy wrote beside itself"

echo "== silent uninstall"
code=$(grep -a -o 'MsiExec.exe /X{[0-9A-F-]*}' <<<"$listed" | head -1 | sed 's/.*\/X//')
msiexec /x "$code" /qn || fail "uninstalling"
[ -e "$programs" ] && fail "left in the program folder: $(ls -A "$programs" | tr '\n' ' ')"
[ -e "$link" ] && fail "the Start menu entry is left"
[ "$(entries)" = 0 ] || fail "still in the list of installed programs"
for k in 'HKCU\Software\Classes\.aac\OpenWithList\tessaro.exe' 'HKCU\Software\Classes\.wav\OpenWithList\tessaro.exe' \
         'HKCU\Software\Classes\Applications\tessaro.exe' 'HKCU\Software\Tessaro'; do
  w reg query "$k" >/dev/null && fail "registry key left: $k"
done
[ -s "$appdata/Tessaro/TSR.ini" ] && [ -s "$appdata/Tessaro/TSR_ErrorLog.txt" ] ||
  fail "the uninstaller removed the settings or the error log"

echo "== copies from the zip: beside themselves, or where they cannot write there, in %APPDATA%"
rm -rf "$appdata/Tessaro"
mkdir -p "$work/携帯" "$work/固定"
cp "$bin/tessaro.exe" "$work/携帯/"
dialog_closed_saves "$work/携帯/tessaro.exe" "portable copy" "$work/携帯"
[ -e "$appdata/Tessaro" ] && fail "the portable copy wrote to %APPDATA%"
cp "$bin/tessaro.exe" "$work/固定/"
# Immutable, so that not even root may write there.
if chmod 555 "$work/固定" && { [ "$(id -u)" -ne 0 ] || chattr +i "$work/固定" 2>/dev/null; }; then
  dialog_closed_saves "$work/固定/tessaro.exe" "read-only folder" "$appdata/Tessaro"
else
  echo "(no folder that this user cannot write to: that case is not tested)"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "installed, used and uninstalled as expected"
