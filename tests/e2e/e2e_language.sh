#!/usr/bin/env bash
# End to end in a real X server: installs the program into a staging prefix (program in bin/,
# language modules in share/lumaropad/), starts it with the user's locale set to German and then
# to French, and checks from outside the process, through the X server, the main window's title,
# the tooltip of the "Select All" button and the titles of the about box and the two reference
# dialogs. Pictures of the window with its tooltip and of the dialogs are left in the output
# folder (e2e-language-LANG-*.png).
# Usage: e2e_language.sh BUILD_DIR [OUTPUT_FOLDER]
set -euo pipefail
build=$1
shots=${2:-$PWD}

command -v xprop >/dev/null || { echo "SKIP: xprop is not installed"; exit 77; }
source "$(dirname "$0")/xserver.sh"

cmake --install "$build" --prefix "$work/prefix" >/dev/null
program="$work/prefix/bin/lumaropad"
[[ -f $work/prefix/share/lumaropad/lumaropad.DEU ]] || { echo "FAIL: the German module was not installed"; exit 1; }
[[ ! -e $work/prefix/bin/lumaropad.DEU ]] || { echo "FAIL: a module was installed beside the program"; exit 1; }

# The first visible window whose name as the desktop shows it (_NET_WM_NAME, UTF-8) is exactly
# $1, waiting up to 10 s. (xdotool matches the Latin-1 WM_NAME, which Qt fills with UTF-8 bytes.)
window_named() {
    local id
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
            if [[ "$(xprop -id "$id" _NET_WM_NAME 2>/dev/null)" == "_NET_WM_NAME(UTF8_STRING) = \"$1\"" ]]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

snapshot() {
    if command -v import >/dev/null; then
        import -window root -crop "$2" "$shots/$1" 2>/dev/null || true
    fi
}

# Clicks the main window's button at X Y, waits for the dialog titled TITLE, takes its picture
# (PICTURE) and closes it with its close button at CLOSE_X CLOSE_Y.
open_dialog() {
    local window=$1 x=$2 y=$3 title=$4 picture=$5 close_x=$6 close_y=$7 box
    xdotool mousemove --window "$window" "$x" "$y" click 1
    box=$(window_named "$title") || { echo "FAIL ($locale): no dialog titled '$title'"; exit 1; }
    sleep 0.3
    if command -v import >/dev/null; then
        import -window "$box" "$shots/$picture" 2>/dev/null || true
    fi
    xdotool mousemove --window "$box" "$close_x" "$close_y" click 1
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$box" || return 0
        sleep 0.1
    done
    echo "FAIL ($locale): the close button did not close '$title'"
    exit 1
}

# run LOCALE SHORT TITLE TOOLTIP ABOUT_TITLE WORLD_TIMES_TITLE METRIC_TABLES_TITLE
run() {
    local locale=$1 short=$2 title=$3 tooltip=$4 about=$5 times=$6 tables=$7
    mkdir -p "$work/home-$short"
    # The locale is the user's; no per-user setting overrides it.
    env -u LC_ALL -u LC_MESSAGES LANG="$locale" HOME="$work/home-$short" XDG_CONFIG_HOME="$work/home-$short/.config" \
        "$program" &
    app=$!

    local window
    window=$(window_named "$title") || { echo "FAIL ($locale): no window titled '$title'"; exit 1; }
    sleep 0.5
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window" 2>/dev/null || true

    # Hover over the "Select All" button (left column) until its tooltip window appears.
    xdotool mousemove --window "$window" 10 250 sleep 0.2 mousemove --window "$window" 25 259
    local tip
    tip=$(window_named "$tooltip") || { echo "FAIL ($locale): no tooltip window named '$tooltip'"; exit 1; }
    snapshot "e2e-language-$short-window.png" 830x600+0+0

    # The dialogs, opened after the start, are built from the module too.
    open_dialog "$window" 766 22 "$about" "e2e-language-$short-about.png" 253 102
    open_dialog "$window" 637 21 "$times" "e2e-language-$short-world-times.png" 154 396
    open_dialog "$window" 575 22 "$tables" "e2e-language-$short-metric-tables.png" 212 365

    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool mousemove --window "$window" 400 250 key alt+x
    for _ in $(seq 100); do
        kill -0 "$app" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$app" 2>/dev/null; then
        echo "FAIL ($locale): Alt+X did not close the window"
        exit 1
    fi
    local status=0
    wait "$app" || status=$?
    app=""
    [[ $status -eq 0 ]] || { echo "FAIL ($locale): the program ended with $status"; exit 1; }
    echo "ok ($locale): '$title', tooltip '$tooltip', dialogs '$about', '$times', '$tables'"
}

run de_DE.UTF-8 de 'Unbenannt - LumaroStyle Notepad' 'Alles markieren' 'Über dieses Programm' \
    ' Weltzeiten' ' Metrische  Umrechnungstabellen'
run fr_FR.UTF-8 fr 'Sans titre - LumaroStyle Notepad' 'Tout sélectionner' 'À propos de ce programme' \
    ' Heures du monde' ' Tables  de  conversion  métriques'
echo "PASS"
