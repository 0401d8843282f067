#!/usr/bin/env bash
# Times `lumaropad --convert-to FORMAT` (FORMAT=txt by default, rtf or pdf) side by side with the peer converters that are installed
# (abiword, unrtf, pandoc, LibreOffice) on the same generated documents, and prints seconds, peak
# memory and each peer's ratio to ours. Peers are for measuring only; install them with
#   apt-get install --no-install-recommends abiword unrtf pandoc libreoffice-writer-nogui time
# Usage: [FORMAT=pdf] bench/compare-peers.sh [BUILD_DIR] [SIZES_MB...]   (build with -DLUMARO_BUILD_BENCH=ON)
# For rtf and pdf only the peers that write them take part (abiword, LibreOffice; pandoc for rtf).
# Each run is stopped after PEER_TIMEOUT seconds (300 by default) and shown as failed.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
shift || true
sizes=("${@:-1 10}")
read -r -a sizes <<< "${sizes[*]}"
lumaropad="$build/lumaropad"
rtfgen="$build/bench/rtfgen"
for tool in "$lumaropad" "$rtfgen" /usr/bin/time; do
    [[ -x "$tool" ]] || { echo "missing $tool (build with -DLUMARO_BUILD_BENCH=ON; apt-get install time)" >&2; exit 2; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" # LibreOffice writes its profile there
mkdir -p "$HOME"

# measure NAME FILE COMMAND...: runs COMMAND (with {in} and {out} replaced), prints "seconds peakMB"
measure() {
    local log="$work/time.log"
    if /usr/bin/time -f "%e %M" -o "$log" timeout -k 10 "${PEER_TIMEOUT:-300}" "$@" >/dev/null 2>&1; then
        awk '{ printf "%.2f %.0f", $1, $2 / 1024 }' "$log"
    else
        echo "failed -"
    fi
}

format="${FORMAT:-txt}"
peer_command() { # NAME INPUT OUTDIR -> the command line
    local name=$1 input=$2 out=$3
    if [[ $format == pdf ]]; then
        case "$name" in
            lumaropad) echo "$lumaropad --convert-to pdf --outdir $out $input" ;;
            abiword) echo "abiword --to=pdf -o $out/abiword.pdf $input" ;;
            soffice) echo "soffice --headless --convert-to pdf --outdir $out $input" ;;
        esac
        return
    fi
    if [[ $format == rtf ]]; then
        case "$name" in
            lumaropad) echo "$lumaropad --convert-to rtf --outdir $out $input" ;;
            abiword) echo "abiword --to=rtf -o $out/abiword.rtf $input" ;;
            pandoc) echo "pandoc -f rtf -t rtf -s -o $out/pandoc.rtf $input" ;;
            soffice) echo "soffice --headless --convert-to rtf --outdir $out $input" ;;
        esac
        return
    fi
    case "$name" in
        lumaropad) echo "$lumaropad --convert-to txt --outdir $out $input" ;;
        abiword) echo "abiword --to=txt -o $out/abiword.txt $input" ;;
        unrtf) echo "unrtf --text $input" ;;
        pandoc) echo "pandoc -f rtf -t plain -o $out/pandoc.txt $input" ;;
        soffice) echo "soffice --headless --convert-to txt:Text --outdir $out $input" ;;
    esac
}

printf '%-10s %8s %10s %10s %10s\n' tool size seconds "peak MB" "x ours"
for size in "${sizes[@]}"; do
    input="$work/doc-${size}mb.rtf"
    "$rtfgen" "$size" "$input"
    ours=""
    for name in lumaropad abiword unrtf pandoc soffice; do
        [[ $name == lumaropad ]] || command -v "$name" >/dev/null || continue
        [[ -n $(peer_command "$name" "$input" "$work") ]] || continue
        out="$work/out-$name-$size"
        mkdir -p "$out"
        # shellcheck disable=SC2046
        read -r seconds peak <<< "$(measure $(peer_command "$name" "$input" "$out"))"
        [[ $name == lumaropad ]] && ours=$seconds
        ratio="-"
        if [[ $seconds != failed && -n $ours ]]; then
            ratio=$(awk -v a="$seconds" -v b="$ours" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }')
        fi
        printf '%-10s %6sMB %10s %10s %10s\n' "$name" "$size" "$seconds" "$peak" "$ratio"
    done
done
