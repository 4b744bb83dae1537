#!/usr/bin/env bash
# The Windows program under Wine, on the X server of DISPLAY (run it inside
# xvfb-run), in a throw-away Wine prefix:
#  1. zel.exe from the portable zip starts in a folder holding an older
#     employs.dat: the conversion message comes first and is answered, then
#     the main window "ZEL" shows, and employIB.dat holds the same bytes as
#     the Linux zel, driven the same way, writes from the same employs.dat;
#  2. a second zel.exe started in the data folder of a running one is refused:
#     it shows a message instead of its main window, ends once the message is
#     answered, and leaves the folder alone; the same for the Linux zel;
#  3. the installer runs silently: the program, the Start-menu shortcut into
#     the data folder, and the settings key are there; while the installed
#     ZEL runs, the installer refuses and the uninstaller leaves the program
#     and its uninstall entry; once ZEL is closed, the uninstaller takes the
#     program and its entry away and leaves the data folder and the settings key.
# Usage: tests/windows/smoke.sh LINUX-ZEL DIST-FOLDER
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
linux_zel="$(readlink -f "$1")"
dist="$(readlink -f "$2")"
zip="$(ls -t "$dist"/ZEL-*-win64.zip | head -n 1)"
setup="$(ls -t "$dist"/ZEL-*-win64-setup.exe | head -n 1)"
[ -n "${DISPLAY:-}" ] || { echo "smoke.sh: no DISPLAY; run it inside xvfb-run" >&2; exit 2; }
# Both programs show real windows on that display (Wine passes the variable on).
unset QT_QPA_PLATFORM

work="$(mktemp -d)"
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko installers asking to download at the first start.
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  [ -s "$work/wine.log" ] && tail -n 20 "$work/wine.log" >&2
  exit 1
}

# Waits up to $1 seconds for `$2...` to succeed.
wait_for() {
  local seconds="$1"
  shift
  for ((i = 0; i < seconds * 4; i++)); do
    "$@" && return 0
    sleep 0.25
  done
  return 1
}

# The id of a visible window titled "ZEL" wider (wide) or narrower (narrow)
# than 700 pixels: the main window is maximized, a message box is small.
zel_window() {
  local id width
  for id in $(xdotool search --onlyvisible --name '^ZEL$' 2>/dev/null); do
    width="$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^WIDTH=//p')"
    [ -n "$width" ] || continue
    if { [ "$1" = wide ] && [ "$width" -gt 700 ]; } || { [ "$1" = narrow ] && [ "$width" -le 700 ]; }; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# The id of the visible question "Превръщане в евро".
euro_question() { xdotool search --onlyvisible --name '^Превръщане в евро$' 2>/dev/null | head -n 1 | grep .; }

# convert NAME COMMAND...: runs the program in $work/NAME, a folder holding only
# employs.dat, answers the conversion message, declines the euro question,
# waits for the main window, ends the program.
convert() {
  local name="$1" folder="$work/$1" box
  shift
  mkdir -p "$folder"
  cp "$work/employs.dat" "$folder/"
  (cd "$folder" && exec "$@" >>"$work/wine.log" 2>&1) &
  local pid=$!
  wait_for 60 zel_window narrow >/dev/null || fail "$name: no message box before the main window"
  box="$(zel_window narrow)"
  # The message comes before the conversion, and nothing is written while it is open.
  [ ! -e "$folder/employIB.dat" ] || fail "$name: employIB.dat written before the message was answered"
  xdotool windowfocus --sync "$box" key Return
  # The converted register is in leva: the euro question follows; Escape declines it.
  wait_for 60 euro_question >/dev/null || fail "$name: no euro question after the conversion"
  xdotool windowfocus --sync "$(euro_question)" key Escape
  wait_for 60 zel_window wide >/dev/null || fail "$name: the main window did not show after the message"
  [ -f "$folder/employIB.dat" ] || fail "$name: no employIB.dat"
  kill "$pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

echo "-- Wine prefix"
start=$SECONDS
wineboot -u >>"$work/wine.log" 2>&1 || fail "wineboot"
echo "   ready in $((SECONDS - start)) s"

echo "-- zel.exe from the zip converts an older register as the Linux build does"
"$here/old_register.sh" >"$work/employs.dat"
unzip -q "$zip" -d "$work/zip"
convert windows wine "$(ls "$work"/zip/*/zel.exe)"
convert linux "$linux_zel"
[ "$(stat -c %s "$work/windows/employIB.dat")" = $((3 * 339)) ] || fail "employIB.dat is not 3 records of 339 bytes"
cmp "$work/linux/employIB.dat" "$work/windows/employIB.dat" || fail "employIB.dat differs from the Linux build's"
echo "   same $(stat -c %s "$work/windows/employIB.dat") bytes"

# The uninstaller copies itself into a temporary folder and ends at once;
# true when no such copy runs in this Wine prefix.
uninstaller_copy_ended() {
  local pid
  for pid in $(pgrep -f '~nsu.*\.tmp'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 1
  done
  return 0
}

# The number of visible main windows titled "ZEL".
main_windows() {
  local n=0
  for id in $(xdotool search --onlyvisible --name '^ZEL$' 2>/dev/null); do
    [ "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^WIDTH=//p')" -gt 700 ] 2>/dev/null &&
      n=$((n + 1))
  done
  echo "$n"
}
gone() { ! kill -0 "$1" 2>/dev/null; }

# second_copy NAME COMMAND...: runs the program in the empty folder $work/NAME,
# waits for its main window, then starts it there again: the second copy must
# show a message box, no main window, end once it is answered, and leave the
# folder's files as they were (a stale temporary that a start would delete).
second_copy() {
  local name="$1" folder="$work/$1" first second
  shift
  mkdir -p "$folder"
  (cd "$folder" && exec "$@" >>"$work/wine.log" 2>&1) &
  first=$!
  wait_for 60 zel_window wide >/dev/null || fail "$name: the first copy shows no main window"
  echo "half a save" >"$folder/employIB.dat.tmp-a1B2c3"
  (cd "$folder" && exec "$@" >>"$work/wine.log" 2>&1) &
  second=$!
  wait_for 60 zel_window narrow >/dev/null || fail "$name: the second copy shows no message"
  [ "$(main_windows)" = 1 ] || fail "$name: the second copy shows a main window"
  xdotool windowfocus --sync "$(zel_window narrow)" key Return
  wait_for 30 gone "$second" || fail "$name: the second copy goes on after its message"
  [ "$(main_windows)" = 1 ] || fail "$name: the second copy shows a main window after its message"
  [ -f "$folder/employIB.dat.tmp-a1B2c3" ] || fail "$name: the second copy deleted a file of the first"
  kill "$first" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wait "$first" 2>/dev/null || true
}

echo "-- a second copy on the data folder of a running one is refused"
second_copy windows-twice wine "$(ls "$work"/zip/*/zel.exe)"
second_copy linux-twice "$linux_zel"
echo "   zel.exe and the Linux zel: message, no main window, folder untouched"

echo "-- the installer and the uninstaller, silent"
c="$WINEPREFIX/drive_c"
program="$c/Program Files/ZEL"
shortcut="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/ZEL.lnk"
data="$c/users/Public/Documents/ZEL"
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZEL'
installed=(zel.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6PrintSupport.dll platforms/qwindows.dll
  styles/qwindowsvistastyle.dll libstdc++-6.dll uninstall.exe)
wine "$setup" /S >>"$work/wine.log" 2>&1 || fail "the installer ended with $?"
wineserver -w
for f in "${installed[@]}"; do
  [ -f "$program/$f" ] || fail "not installed: $f"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
[ -d "$data" ] || fail "no data folder"
# The shortcut's working folder is the data folder (the link keeps it in UTF-16).
tr -d '\0' <"$shortcut" | grep -qaF 'C:\users\Public\Documents\ZEL' ||
  fail "the shortcut does not start in the data folder"
wine reg query 'HKLM\SOFTWARE\Nurvek\Torva' >>"$work/wine.log" 2>&1 || fail "no settings key"

mkdir -p "$work/running"
(cd "$work/running" && exec wine "$program/zel.exe" >>"$work/wine.log" 2>&1) &
zel=$!
wait_for 60 zel_window wide >/dev/null || fail "the installed zel.exe did not start"
status=0
wine "$setup" /S >>"$work/wine.log" 2>&1 || status=$?
[ "$status" != 0 ] || fail "the installer ran over a running ZEL"
wine "$program/uninstall.exe" /S >>"$work/wine.log" 2>&1 || true
wait_for 60 uninstaller_copy_ended || fail "the uninstaller did not end"
for f in "${installed[@]}"; do
  [ -f "$program/$f" ] || fail "deleted while ZEL runs: $f"
done
wine reg query "$entry" >>"$work/wine.log" 2>&1 || fail "the uninstall entry was removed while ZEL runs"
kill "$zel" 2>/dev/null || true
wineserver -k 2>/dev/null || true
wait "$zel" 2>/dev/null || true

echo "company data" >"$data/employIB.dat"
wine "$program/uninstall.exe" /S >>"$work/wine.log" 2>&1 || fail "the uninstaller ended with $?"
wineserver -w
[ ! -e "$program" ] || fail "the program folder is still there: $(ls "$program")"
! wine reg query "$entry" >>"$work/wine.log" 2>&1 || fail "the uninstall entry is still there"
[ ! -e "$shortcut" ] || fail "the shortcut is still there"
[ "$(cat "$data/employIB.dat" 2>/dev/null)" = "company data" ] || fail "the data folder was not left alone"
wine reg query 'HKLM\SOFTWARE\Nurvek\Torva' >>"$work/wine.log" 2>&1 || fail "the settings key was removed"
echo "   installed, shortcut, data folder and settings key; kept while ZEL runs; uninstalled, data kept"
