#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, ASan and UBSan and runs each from its seed corpus:
#   rtfreader      the RTF reader           seeds: test fixtures, a generated document (and the
#                                                  shared RTF corpus when LUMARO_CORPUS_DIR names it)
#   layoutreader   the layout reader        seeds: the program's layouts and string table
#   picture        the picture loader       seeds: the program's BMP and JPEG artwork
#   plaintext      the plain-text decoder   seeds: text in UTF-8, with a BOM, Windows-1252, mixed line ends
#   languagemodule the language modules     seeds: the modules the build makes, damaged ones
# SECONDS (60 by default) is the whole run's time, shared evenly among the targets run; all of
# them unless FUZZ_TARGET names some ("picture plaintext"). What each target finds stays in
# BUILD_DIR/fuzz-findings/TARGET and seeds the next run. A crash stops the run with its input in
# BUILD_DIR (crash-*, leak-*, timeout-*) and fails it: store that input as a test fixture
# (tests/richtext/data/hostile/ for RTF, tests/framework/data/modules/ for language modules,
# tests/fuzz-fixtures/TARGET/ for the others), then fix it.
# Usage: [FUZZ_TARGET=NAMES] fuzz/run-fuzz.sh [SECONDS] [BUILD_DIR] [LIBFUZZER_OPTIONS...]
# (e.g. -seed=1 for a repeatable run)
set -euo pipefail

seed_rtfreader() {
    cp "$root"/tests/richtext/data/hostile/* "$1"/ 2>/dev/null || true
    printf '%s' '{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fcharset128 MS Gothic;}}{\colortbl;\red255\green0\blue0;}\pard\qc\fi-360\li720{\pntext\f0\'"'"'B7\tab}{\*\pn\pnlvlblt{\pntxtb\'"'"'B7}}{\b\cf1 bold}\u8220?x\'"'"'e9{\f1\'"'"'82\'"'"'a0}\line{\field{\*\fldinst HYPERLINK x}{\fldrslt y}}\cell\row{\pict\bin2 {}}\par}' \
        > "$1/generated.rtf"
    if [[ -n "${LUMARO_CORPUS_DIR:-}" && -d "$LUMARO_CORPUS_DIR/files" ]]; then
        find "$LUMARO_CORPUS_DIR/files" -name '*.rtf' -size -200k -exec cp {} "$1"/ \;
    fi
}
seed_layoutreader() {
    cp "$root"/resources/layouts/*.layout "$root"/resources/strings/strings.txt "$1"/
}
seed_picture() { # the target reads the first byte as a mode: 1 makes each file pass the cheap checks
    local file
    find "$root/resources/art" \( -name '*.bmp' -o -name '*.jpg' \) -size -40k -print0 |
        while IFS= read -r -d '' file; do
            { printf '\001'; cat "$file"; } >"$1/$(basename "$file")"
        done
}
seed_plaintext() {
    printf 'plain text\r\nwith CR LF\rlone CR\nlone LF' >"$1/line-ends.txt"
    printf '\xef\xbb\xbfUTF-8 with a mark: caf\xc3\xa9 \xe2\x80\x9cquoted\xe2\x80\x9d' >"$1/utf8-bom.txt"
    printf 'Windows-1252: caf\xe9 \x93quoted\x94 \x80' >"$1/cp1252.txt"
    printf 'zero\0byte\0\0end\r' >"$1/nul.txt"
    printf 'frame marks \xef\xb7\x90 \xef\xb7\x91 and separators \xe2\x80\xa8 \xe2\x80\xa9 \xef\xbf\xbc' >"$1/specials.txt"
}
seed_languagemodule() {
    cp "$build"/lumaropad.* "$1"/
    cp "$root"/tests/framework/data/modules/* "$1"/ 2>/dev/null || true
}

main() {
    root="$(cd "$(dirname "$0")/.." && pwd)"
    local seconds="${1:-60}"
    build="${2:-$root/build-fuzz}"
    shift 2 || shift $# || true
    local targets=(${FUZZ_TARGET:-rtfreader layoutreader picture plaintext languagemodule})
    local target
    for target in "${targets[@]}"; do
        if ! declare -F "seed_$target" >/dev/null; then
            echo "unknown FUZZ_TARGET '$target': rtfreader layoutreader picture plaintext languagemodule" >&2
            exit 2
        fi
    done

    "$root/scripts/install-deps.sh" --fuzz
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DLUMARO_BUILD_FUZZ=ON -DLUMARO_BUILD_TESTS=OFF -DLUMARO_UNITY_BUILD=ON >/dev/null
    local builds=("${targets[@]/#/fuzz_}")
    [[ " ${targets[*]} " == *" languagemodule "* ]] && builds+=(language_modules)
    cmake --build "$build" --target "${builds[@]}" -j 2

    export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
    export LSAN_OPTIONS="suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    local share=$((seconds / ${#targets[@]}))
    ((share > 0)) || share=1
    for target in "${targets[@]}"; do
        local seeds="$build/fuzz-seeds/$target" findings="$build/fuzz-findings/$target"
        rm -rf "$seeds"
        mkdir -p "$seeds" "$findings"
        "seed_$target" "$seeds"
        local options=(-max_len=65536)
        case "$target" in
        rtfreader) options+=(-dict="$root/fuzz/rtf.dict") ;;
        layoutreader) options+=(-dict="$root/fuzz/layout.dict") ;;
        languagemodule) options=(-dict="$root/fuzz/languagemodule.dict" -max_len=131072) ;;
        esac
        echo "== fuzz_$target for ${share}s"
        "$build/fuzz/fuzz_$target" "$findings" "$seeds" "${options[@]}" -max_total_time="$share" \
            -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$build/" -print_final_stats=1 "$@"
    done
}

# Everything runs from main, read whole before it starts: editing this file during a long
# campaign cannot change what the running script does.
main "$@"
exit
