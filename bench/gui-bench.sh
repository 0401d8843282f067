#!/usr/bin/env bash
# Times the editor in a real X server (Xvfb) against the installed peers (AbiWord; LibreOffice
# Writer when its GUI package, libreoffice-writer, is installed) on the same documents, as a user
# waits for them: the window mapped and the first keystroke (typed at once) shown, counted from
# the program's start; keystroke latency (median / 95th percentile) at the start, in the middle
# and at the end of the document; Select All, then Bold; Save; peak memory. bench/guiprobe drives
# each program and watches its text area (see its header).
# Usage: bench/gui-bench.sh [BUILD_DIR] [DOCUMENT...]   (build with -DLUMARO_BUILD_BENCH=ON)
# Without documents: an empty start and bench/rtfgen's 1 and 10 MB documents. PEERS="abiword
# soffice" chooses the peers (none: PEERS=); PEER_TIMEOUT (300 s) stops a program that hangs;
# PROBE_LOG=FILE keeps what the probe reports besides the table (every key's latency among it).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
shift || true
probe="$build/bench/guiprobe"
for tool in "$build/lumaropad" "$build/bench/rtfgen" "$probe" Xvfb; do
    command -v "$tool" >/dev/null || { echo "missing $tool (build with -DLUMARO_BUILD_BENCH=ON; apt-get install xvfb)" >&2; exit 2; }
done
timeout="${PEER_TIMEOUT:-300}"
peers="${PEERS-abiword soffice}"

work="$(mktemp -d)"
export HOME="$work/home" # the peers write their settings there
mkdir -p "$HOME/.config/gtk-3.0"
printf '[Settings]\ngtk-cursor-blink=false\n' > "$HOME/.config/gtk-3.0/settings.ini"
# The server picks a free display itself; -noreset keeps it up between the programs run.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"

documents=("$@")
if [[ ${#documents[@]} -eq 0 ]]; then
    : > "$work/empty.rtf"
    "$build/bench/rtfgen" 1 "$work/doc-1mb.rtf"
    "$build/bench/rtfgen" 10 "$work/doc-10mb.rtf"
    documents=("" "$work/doc-1mb.rtf" "$work/doc-10mb.rtf")
fi

# run NAME DOCUMENT: the probe's "name value" lines for one program on one document (a copy of it)
run() {
    local name=$1 document=$2 copy=""
    # Each run starts with no settings and no recovery copy: the previous run was killed, and its
    # recovery copy would otherwise be offered (and take the keys) at the next start.
    rm -rf "$work/state" "$work/config"
    export XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/config"
    if [[ -n $document ]]; then
        copy="$work/$name-$(basename "$document")"
        cp "$document" "$copy"
    fi
    # With a document: the middle is reached with a click on the scroll bar's track that jumps there
    # (the middle button in Qt, the first in GTK), and Save writes the copy.
    local extra=()
    case "$name" in
        lumaropad) [[ -n $copy ]] && extra=(--middle-click 768,2 --save "$copy")
            QT_QPA_PLATFORM=xcb "$probe" --title "LumaroStyle" --text 48,42,712,440 --bold-click 34,357 \
                "${extra[@]}" --timeout "$timeout" -- "$build/lumaropad" ${copy:+"$copy"} ;;
        abiword) [[ -n $copy ]] && extra=(--middle-click 750,1 --save "$copy")
            "$probe" --title "biword" --text 4,114,720,370 --bold-key "${extra[@]}" \
                --timeout "$timeout" -- abiword ${copy:+"$copy"} ;;
        soffice) [[ -n $copy ]] && extra=(--save "$copy")
            SAL_USE_VCLPLUGIN=gen "$probe" --title "Writer" --text 120,200,700,400 --bold-key "${extra[@]}" \
                --timeout "$timeout" -- soffice --writer --norestore --nologo \
                "-env:UserInstallation=file://$work/lo-profile" ${copy:+"$copy"} ;;
    esac 2>>"${PROBE_LOG:-/dev/null}" || true
}

value() { awk -v k="$1" '$1 == k { $1 = ""; sub(/^ /, ""); print; found = 1 } END { if (!found) print "-" }' "$2"; }

printf '| document | program | mapped s | first key s | keys start ms | keys middle ms | keys end ms | select all s | bold s | save s | peak MB |\n'
printf '|---|---|---|---|---|---|---|---|---|---|---|\n'
for document in "${documents[@]}"; do
    label="${document:+$(basename "$document")}"
    for name in lumaropad $peers; do
        [[ $name == lumaropad ]] || command -v "$name" >/dev/null || continue
        # LibreOffice's window needs its GUI package; the headless one cannot open it.
        if [[ $name == soffice ]] && ! dpkg-query -W -f='${Status}' libreoffice-writer 2>/dev/null | grep -q "ok installed"; then
            continue
        fi
        out="$work/$name.out"
        run "$name" "$document" > "$out"
        printf '| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n' "${label:-(none)}" "$name" \
            "$(value mapped "$out")" "$(value first-key "$out")" "$(value keys-start "$out" | tr ' ' /)" \
            "$(value keys-middle "$out" | tr ' ' /)" "$(value keys-end "$out" | tr ' ' /)" \
            "$(value select-all "$out")" "$(value bold "$out")" "$(value save "$out")" "$(value memory-peak "$out")"
    done
done
