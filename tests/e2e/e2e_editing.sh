#!/usr/bin/env bash
# End to end in a real X server: starts the program on a document named on the command line,
# checks the caption, types into the editor, saves with Ctrl+S, closes with Alt+X and checks
# that the program ended normally and the file holds the typed text as RTF. A screenshot of
# the window is left in the build folder (e2e-window.png) for people to look at.
set -euo pipefail
program=$1
shots=${2:-$PWD}

source "$(dirname "$0")/xserver.sh"

printf '{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Start of the letter.\\par}' >"$work/letter.rtf"
cd "$work"
"$program" letter.rtf &
app=$!

window=$(timeout 20 xdotool search --sync --name '^letter.rtf - LumaroStyle Notepad$' | head -1)
[[ -n $window ]] || { echo "FAIL: no window titled 'letter.rtf - LumaroStyle Notepad'"; exit 1; }
sleep 0.5
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
# The editor has the focus at start-up; the caret is at the start of the document.
xdotool mousemove --window "$window" 400 250
xdotool type --delay 20 'Typed here. '
xdotool key ctrl+s
sleep 0.5
if command -v import >/dev/null; then
    import -window "$window" "$shots/e2e-window.png" 2>/dev/null || true
fi
grep -q 'Typed here.' letter.rtf || { echo "FAIL: Ctrl+S did not write the typed text"; head -c 400 letter.rtf; exit 1; }
head -c 6 letter.rtf | grep -q '{\\rtf1' || { echo "FAIL: the file is not RTF"; exit 1; }

xdotool key alt+x
for _ in $(seq 100); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$app" 2>/dev/null; then
    echo "FAIL: Alt+X did not close the window"
    exit 1
fi
status=0
wait "$app" || status=$?
app=""
[[ $status -eq 0 ]] || { echo "FAIL: the program ended with $status"; exit 1; }
echo "PASS"
