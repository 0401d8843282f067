#!/usr/bin/env bash
# Compares our printed page with LibreOffice's for the documents in bench/layout/ (indents,
# bullets, numbers, default and explicit tab stops with leaders, several default tab widths,
# mixed faces and sizes): the first word of every line, the word after every tab and every list
# marker, relative to the left margin (pdftotext -bbox). Both print on A4 with margins of 850
# twips, which the documents ask for and our PDF output uses. With --screenshots DIR it also
# shows each document in the editor (in Xvfb) and keeps a picture of the window.
# Usage: bench/layout-compare.sh [BUILD_DIR] [--screenshots DIR]
# Needs LibreOffice (apt-get install libreoffice-writer-nogui) and poppler-utils.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$here/../build"
shots=""
while [[ $# -gt 0 ]]; do
    case "$1" in
        --screenshots) shots="$2"; shift 2 ;;
        *) build="$1"; shift ;;
    esac
done
command -v soffice >/dev/null && command -v python3 >/dev/null || { echo "LibreOffice or Python is not installed"; exit 77; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" LC_ALL=C.UTF-8
mkdir -p "$HOME" "$work/lo" "$work/ours"

docs=("$here"/layout/*.rtf)
timeout 600 soffice --headless --convert-to pdf --outdir "$work/lo" "${docs[@]}" >/dev/null 2>&1
"$build/lumaropad" --convert-to pdf --outdir "$work/ours" "${docs[@]}" 2>/dev/null
"$build/lumaropad" --convert-to txt --outdir "$work/ours" "${docs[@]}" 2>/dev/null

# Our page has 15 mm margins (42.52 pt); LibreOffice takes the documents' 850 twips (42.5 pt).
status=0
for doc in "${docs[@]}"; do
    name="$(basename "$doc" .rtf)"
    echo "$name"
    python3 "$here/layout_compare.py" "$work/ours/$name.txt" "$work/lo/$name.pdf" 42.5 \
        "$work/ours/$name.pdf" 42.52 1.5 || status=1
done

if [[ -n "$shots" ]]; then
    mkdir -p "$shots"
    # A free display chosen by the server; no reset between the programs shown one after another.
    Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
    for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
    display=":$(head -n1 "$work/display")"
    for doc in "${docs[@]}"; do
        name="$(basename "$doc" .rtf)"
        DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/lumaropad" "$doc" &
        app=$!
        window=$(DISPLAY=$display xdotool search --sync --name "$name.rtf" | head -1)
        sleep 1 # let the window finish painting
        DISPLAY=$display import -window "$window" "$shots/editor-$name.png"
        kill $app
        wait $app 2>/dev/null
    done
fi
exit $status
