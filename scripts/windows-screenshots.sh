#!/usr/bin/env bash
# The desktop program of the Windows package as a user sees it: started
# under Wine on a virtual screen (Wine's own desktop, so windows get their
# Windows frames), with an example league, then the Season window opened from
# the keyboard at its Fairness tab. Writes docs/windows-main-window.png and docs/windows-season.png.
#   scripts/windows-screenshots.sh [PACKAGE_FOLDER]
# Run scripts/build-windows.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
stage=$(realpath "${1:-$(ls -d build/windows/package/quintora-*-windows | head -1)}")
[ -f "$stage/quintora.exe" ] || { echo "no quintora.exe in $stage: run scripts/build-windows.sh" >&2; exit 1; }
# fonts-wine: the fonts Wine draws its frames and dialog text with.
for p in xvfb xauth xdotool imagemagick fonts-wine; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || apt-get install -y -qq "$p"
done

export WINEPREFIX=${QUINTORA_SCREENSHOT_WINEPREFIX:-$HOME/.cache/quintora/windows/wine-desktop}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
size=1280x800

shoot() { # the Wine desktop on the virtual screen
  local league=$1
  wine explorer /desktop=Quintora,$size "$stage/quintora.exe" "$league" &
  local wine_pid=$!
  # Wine's desktop is an X window, and so is each top-level window in it:
  # wait for the main window's, then let it draw.
  local i window=
  for i in $(seq 90); do
    window=$(xdotool search --name "^Quintora\$" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 1
  done
  [ -n "$window" ] || { echo "the main window did not open" >&2; return 1; }
  sleep 5
  import -window root -crop "$size+0+0" "$root/docs/windows-main-window.png"
  xdotool windowfocus --sync "$window"
  # View > Season... from the keyboard, as a user without a mouse would.
  xdotool key --clearmodifiers alt+v
  sleep 1
  xdotool key e
  for i in $(seq 60); do
    xdotool search --name "^Season - " >/dev/null 2>&1 && break
    sleep 1
  done
  sleep 5
  # Its Fairness tab, with the chart.
  xdotool key alt+i
  sleep 3
  import -window root -crop "$size+0+0" "$root/docs/windows-season.png"
  wineserver -k || true
  wait "$wine_pid" || true
}

[ -f "$WINEPREFIX/system.reg" ] || { DISPLAY= wineboot --init >/dev/null 2>&1; wineserver -w; }
# Debian's Wine does not find fonts-wine's fonts by itself (Tahoma for the
# dialogs, Marlett for the frames' buttons): the prefix gets copies.
cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
league=$(winepath -w "$stage/examples/spring-league.sch" 2>/dev/null)
# A virtual screen of its own, on the first free display number.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=:$display
sleep 2
shoot "$league"
echo "wrote docs/windows-main-window.png and docs/windows-season.png"
