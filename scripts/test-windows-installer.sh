#!/usr/bin/env bash
# The installer under Wine, in a prefix of its own: installs silently for the
# current user, the programs run from there, the .sch association and the
# Apps & features entry are in the registry; the silent uninstall removes
# every file and key it made and leaves the user's own file alone.
#   scripts/test-windows-installer.sh [SETUP.EXE]
set -euo pipefail
cd "$(dirname "$0")/.."
setup=$(realpath "${1:-$(ls build/windows/package/quintora-*-setup.exe | head -1)}")
export WINEPREFIX=${QUINTORA_INSTALLER_WINEPREFIX:-$HOME/.cache/quintora/windows/wine-installer}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY
[ -f "$WINEPREFIX/system.reg" ] || { wineboot --init >/dev/null 2>&1; wineserver -w; }

fail() { echo "installer test: $*" >&2; exit 1; }
classes='HKCU\Software\Classes'
uninstall='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quintora'

wine "$setup" /S /CurrentUser
wineserver -w
# Where Apps & features says it is (per user: %LOCALAPPDATA%\Programs\Quintora).
location=$(wine reg query "$uninstall" /v InstallLocation 2>/dev/null | sed -n 's/.*REG_SZ *//p' | tr -d '\r')
[ -n "$location" ] || fail "no Apps & features entry"
dir=$(winepath -u "$location" 2>/dev/null)
[ -f "$dir/quintora-cli.exe" ] || fail "nothing installed in $dir"
wine "$dir/quintora-cli.exe" --version | grep -q "$(sed -n 's/^project(Quintora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" ||
  fail "the installed quintora-cli.exe does not run"
wine "$dir/quintora-cli.exe" report "$location\\examples\\spring-league.sch" >/dev/null || fail "no report from the installed program"
# A package with the desktop programs installs them with the Qt they load.
stage=$(dirname "$setup")/$(basename "$setup" -setup.exe)-windows
if [ -f "$stage/quintora.exe" ]; then
  for f in quintora.exe quintora-view.exe quintora-pdf.dll Qt6Widgets.dll platforms/qwindows.dll; do
    [ -f "$dir/$f" ] || fail "$f is not installed"
  done
  # A PDF from the installed copy has the schedule's text in it.
  wine "$dir/quintora-cli.exe" schedule "$location\\examples\\spring-league.sch" --format pdf \
    --start 2027-01-06 --output "$location\\check.pdf" >/dev/null || fail "no PDF from the installed program"
  [[ "$(pdftotext "$dir/check.pdf" -)" == *"Riverside Pool League"* ]] || fail "the installed program's PDF has no text"
  rm "$dir/check.pdf"
fi
wine reg query "$classes\\.sch" /ve | grep -q Quintora.League || fail ".sch is not associated"
wine reg query "$classes\\Quintora.League\\shell\\open\\command" /ve | grep -qi 'quintora.exe" "%1"' ||
  fail "no open command for leagues"
wine reg query "$uninstall" /v DisplayVersion | grep -q "[0-9]" || fail "no Apps & features entry"
[ -f "$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/Microsoft/Windows/Start Menu/Programs/Quintora/Quintora.lnk" ] ||
  fail "no Start-menu shortcut"

# A league the user saved in the program's folder stays.
echo "user's league" >"$dir/examples/mine.sch"
wine "$dir/uninstall.exe" /CurrentUser /S
wineserver -w
sleep 2 # the uninstaller runs a copy of itself that removes the original
[ -f "$dir/examples/mine.sch" ] || fail "the user's league was removed"
rm "$dir/examples/mine.sch"
rmdir "$dir/examples" "$dir" 2>/dev/null || fail "files left in $dir: $(find "$dir" -type f)"
if wine reg query "$classes\\Quintora.League" >/dev/null 2>&1; then fail "the association stays"; fi
if wine reg query "$uninstall" >/dev/null 2>&1; then fail "the Apps & features entry stays"; fi
echo "installer test: installed, ran, registered and uninstalled cleanly ($setup)"
